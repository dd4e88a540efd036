-- Writes the function reference, docs/reference.md, from the API description
-- (lua/zedodava/api.lua): the parameter and result tables from each
-- function's fields, the prose from api.sections and api.notes. A function
-- of either table without a note or a section, a note or section entry for
-- no function, a link to a file or heading that is not there, or two
-- headings with one anchor stop it with a message and no file written.
--
-- usage: lua tools/gen-doc.lua            rewrite docs/reference.md
--        lua tools/gen-doc.lua --check    exit 1 if it is out of step
local root = (arg and arg[0] or ""):match("^(.*)/tools/[^/]*$") or "."
local api = dofile(root .. "/lua/zedodava/api.lua")
local OUT = "docs/reference.md"

local problems = {}
local function problem(fmt, ...) problems[#problems + 1] = fmt:format(...) end

local TYPES = { number = "number", integer = "integer", boolean = "boolean", string = "string",
                path = "file path", text = "string or number" }
for _, k in ipairs(api.kinds) do TYPES[k.name] = k.name end

-- "a, b and c"
local function join(words)
    if #words < 2 then return words[1] or "" end
    return table.concat(words, ", ", 1, #words - 1) .. " and " .. words[#words]
end
local released = {}
for _, k in ipairs(api.kinds) do
    if k.released then released[#released + 1] = k.plural end
end

-- A check across parameters (a function's rules), as a sentence.
local function code(names)
    local t = {}
    for i, n in ipairs(names) do t[i] = "`" .. n .. "`" end
    return join(t)
end
local function rule_text(r)
    if r.pairs then
        local valid = {}
        for i, v in ipairs(r.valid) do valid[i] = v[1] .. "," .. v[2] end
        return ("%s are one of the pairs %s (no %s has another)"):format(code(r.pairs), table.concat(valid, " "),
            r.what)
    elseif r.all_or_none then
        return ("%s (the %s) are all given or none is; nil or a negative value is not given"):format(
            code(r.all_or_none), r.what)
    elseif r.required then
        return ("`%s` is given unless `%s` is %s"):format(r.param, r.unless[1], tostring(r.unless[2]))
    elseif r.min then
        return ("`%s` (the %s) is at least %s when `%s` is %s"):format(r.param, r.as, r.min, r.when[1],
            tostring(r.when[2]))
    end
    problem("a rule of no known form")
    return "?"
end

local function type_text(t, opt)
    local s = TYPES[t] or t
    if opt then s = s .. " or nil" end
    return s
end

local function range_text(p)
    if p.min and p.max then return ("%s..%s"):format(p.min, p.max) end
    if p.min then return ("%s or more"):format(p.min) end
    if p.max then return ("up to %s"):format(p.max) end
    return ""
end

local function cell(s) return (tostring(s):gsub("|", "\\|")) end

local function signature(prefix, F)
    local names = {}
    for i, p in ipairs(F.params) do names[i] = p.name end
    local results = {}
    for i, r in ipairs(F.results) do results[i] = r.name end
    return ("%s%s(%s)%s"):format(prefix, F.name, table.concat(names, ", "),
        #results > 0 and ": " .. table.concat(results, ", ") or "")
end

-- The anchor a GitHub-style renderer gives a heading: lower case, spaces to
-- hyphens, punctuation other than hyphens and underscores dropped. The
-- headings never put two hyphens or spaces side by side, which renderers
-- that merge them would read otherwise.
local function slug(heading)
    return (heading:lower():gsub("[^%w%- _]", ""):gsub(" ", "-"))
end

-- Every function, by name, with the table it is in and its heading.
local functions, order = {}, {}
for _, t in ipairs({ { list = api, table = "zedodava", prefix = "" },
                     { list = api.extra, table = "extra", prefix = "extra." } }) do
    for _, F in ipairs(t.list) do
        if functions[F.name] then problem("%s is in both tables", F.name) end
        local heading = signature(t.prefix, F)
        functions[F.name] = { F = F, table = t.table, heading = heading, anchor = slug(heading) }
        order[#order + 1] = F.name
    end
end

-- Where each function is listed, checked against where it is.
local placed = {}
for _, S in ipairs(api.sections or {}) do
    for _, name in ipairs(S.functions or {}) do
        local f = functions[name]
        if not f then
            problem("section %q lists %s, which is in neither table", S.title, name)
        elseif placed[name] then
            problem("%s is listed in two sections", name)
        elseif f.table ~= (S.table or "zedodava") then
            problem("section %q (%s) lists %s, which is in %s", S.title, S.table or "zedodava", name, f.table)
        end
        placed[name] = true
    end
end
local notes = api.notes or {}
for _, name in ipairs(order) do
    if not placed[name] then problem("%s is in no section of api.sections", name) end
    if not notes[name] then problem("%s has no entry in api.notes", name) end
end
for name in pairs(notes) do
    if not functions[name] then problem("api.notes has %s, which is in neither table", name) end
end

-- {@name} in prose is a link to that function; {released} names the kinds
-- of handle quit releases.
local function expand(text)
    text = text:gsub("{released}", join(released))
    return (text:gsub("{@([%w_]+)}", function(name)
        local f = functions[name]
        if not f then
            problem("{@%s} names no function", name)
            return name
        end
        return ("[`%s`](#%s)"):format(name, f.anchor)
    end))
end

local out = {}
local function add(s) out[#out + 1] = s end
local function para(text)
    add(expand((text:gsub("^%s+", ""):gsub("%s+$", ""))))
    add("")
end

local function line_table(head, rows)
    add(("| %s | When |"):format(head))
    add("|---|---|")
    for _, r in ipairs(rows) do add(("| `%s` | %s |"):format(cell(r[1]), cell(expand(r[2])))) end
    add("")
end

local function document(name)
    local f = functions[name]
    local F, N = f.F, notes[name]
    if type(N) == "string" then N = { text = N } end
    add("### " .. f.heading)
    add("")
    para(F.doc)
    if #F.params > 0 then
        add("| Parameter | Type | Range | Meaning |")
        add("|---|---|---|---|")
        for _, p in ipairs(F.params) do
            add(("| `%s` | %s | %s | %s |"):format(p.name, type_text(p.type, p.opt or p.type == "boolean"),
                range_text(p), cell(p.doc)))
        end
        add("")
    end
    if F.rules then
        add("Checked mode also requires, across parameters:")
        add("")
        for _, r in ipairs(F.rules) do add("- " .. rule_text(r) .. ".") end
        add("")
    end
    if #F.results > 0 then
        add("| Result | Type | Meaning |")
        add("|---|---|---|")
        for _, r in ipairs(F.results) do
            add(("| `%s` | %s | %s |"):format(r.name, type_text(r.type, r.opt), cell(r.doc)))
        end
        add("")
    else
        add("Returns nothing.")
        add("")
    end
    if N.text then para(N.text) end
    if N.example then
        add("```lua")
        add((N.example:gsub("^%s*\n", ""):gsub("%s+$", "")))
        add("```")
        add("")
    end
    if N.prints then
        add("Printed to standard output, and the call goes on:")
        add("")
        line_table("Line", N.prints)
    end
    if N.fatal then
        add("Fatal lines: printed to standard output, then the process ends with status 1 " ..
            "(nothing returns to the script):")
        add("")
        line_table("Line", N.fatal)
    end
end

add("# zedodava reference")
add("")
add("*Generated by `tools/gen-doc.lua` from `lua/zedodava/api.lua`; do not edit it by hand: change the " ..
    "description and run `lua tools/gen-doc.lua`.*")
add("")
add("## Contents")
add("")
for _, S in ipairs(api.sections or {}) do
    local links = {}
    for i, name in ipairs(S.functions or {}) do
        links[i] = ("[%s](#%s)"):format(name, functions[name] and functions[name].anchor or "")
    end
    add(("- [%s](#%s)%s"):format(S.title, slug(S.title), #links > 0 and ": " .. table.concat(links, ", ") or ""))
end
add("")
for _, S in ipairs(api.sections or {}) do
    add("## " .. S.title)
    add("")
    if S.text then para(S.text) end
    for _, name in ipairs(S.functions or {}) do
        if functions[name] and notes[name] then document(name) end
    end
    if S.after then para(S.after) end
end
local text = table.concat(out, "\n"):gsub("\n\n+$", "\n")

-- Headings and the links into them.
local anchors = {}
for heading in text:gmatch("\n#+ ([^\n]+)") do
    local a = slug(heading)
    if anchors[a] then problem("two headings have the anchor #%s", a) end
    if a:find("%-%-") then problem("the heading %q has an anchor with two hyphens in a row", heading) end
    anchors[a] = true
end
for a in text:gmatch("%]%(#([^)]*)%)") do
    if not anchors[a] then problem("a link goes to #%s, which no heading has", a) end
end
-- Links to the other files of the tree, from docs/: the file must be there,
-- and so must the heading a link names.
for file, a in text:gmatch("%]%(([^)#:]+)#?([^)]*)%)") do
    local f = io.open(root .. "/docs/" .. file, "rb")
    local other = f and f:read("*a")
    if f then f:close() end
    if not other then
        problem("a link goes to %s, which is not there", file)
    elseif a ~= "" then
        local found = false
        for heading in ("\n" .. other):gmatch("\n#+ ([^\n]+)") do found = found or slug(heading) == a end
        if not found then problem("a link goes to %s#%s, which no heading of that file has", file, a) end
    end
end

if #problems > 0 then
    io.stderr:write("tools/gen-doc.lua: the reference cannot be written from the API description:\n")
    for _, p in ipairs(problems) do io.stderr:write("  ", p, "\n") end
    os.exit(1)
end

local path = root .. "/" .. OUT
local f = io.open(path, "rb")
local old = f and f:read("*a")
if f then f:close() end
if old == text then os.exit(0) end
if arg and arg[1] == "--check" then
    io.stderr:write(path, " is out of step with the API description: run lua tools/gen-doc.lua\n")
    os.exit(1)
end
f = assert(io.open(path, "wb"))
f:write(text)
f:close()
