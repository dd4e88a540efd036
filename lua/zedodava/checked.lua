-- Checked mode: the 32 functions of zedodava with the same arguments and
-- results, each checking its call first and raising a Lua error at the
-- caller's line when the call is a mistake:
--
--   local z = require "zedodava.checked"   -- while developing
--   local z = require "zedodava"           -- the plain module: no checks, no cost
--
-- and zedodava.extra's calls as well, with the same tracking:
--
--   local x = require "zedodava.extra.checked"
--
-- The checks come from the description in zedodava.api. Each function is
-- compiled from it into a wrapper whose common case (arguments of the right
-- type and range) costs a few comparisons; anything else goes to check(),
-- which either accepts it (a numeric string, an optional nil) or raises.
-- Handles are tracked here by kind: live ones, and what became of freed ones.
local raw = require "zedodava"
local api = require "zedodava.api"
local extra = require "zedodava.extra"

local type, tonumber, tostring, pairs, error, select = type, tonumber, tostring, pairs, error, select
local floor, ceil, concat = math.floor, math.ceil, table.concat
local load = loadstring or load

local live = {} -- handle -> its kind (one of api.kinds): "surface", "font", ...
local dead = {} -- handle -> what it was: "freed font", "sound released by quit"
local S = { display = false, console = false, quit = false }
local M = {} -- the checked functions, by name

local function trunc(v) return v < 0 and ceil(v) or floor(v) end

local function describe(v)
    if v == nil then return "nil" end
    return live[v] or dead[v] or (type(v) == "userdata" and "unknown userdata") or type(v)
end

-- Errors are raised by functions that the wrappers call directly (level 3
-- is then the script's line), or through argerror from one (level 4).
local function argerror(F, i, msg)
    error(("bad argument #%d to '%s' (%s)"):format(i, F.name, msg), 4)
end

local function range_problem(p, v, n)
    n = trunc(n)
    if (p.min and n < p.min) or (p.max and n > p.max) then
        if p.min and p.max then return ("%s must be %d..%d, got %s"):format(p.name, p.min, p.max, tostring(v)) end
        if p.min then return ("%s must be at least %d, got %s"):format(p.name, p.min, tostring(v)) end
        return ("%s must be at most %d, got %s"):format(p.name, p.max, tostring(v))
    end
end

-- What is wrong with value v for parameter p, or nil when it is acceptable.
local problem = {}
function problem.number(p, v)
    local n = (type(v) == "number" or type(v) == "string") and tonumber(v) or nil
    if n == nil then
        if v == nil and p.opt then return nil end
        return "number expected, got " .. describe(v)
    end
    if n ~= n or n - n ~= 0 then return "finite number expected, got " .. (n ~= n and "nan" or tostring(v)) end
    return range_problem(p, v, n)
end
function problem.boolean(_, v)
    if v ~= nil and type(v) ~= "boolean" then return "boolean expected, got " .. describe(v) end
end
function problem.text(p, v)
    if type(v) ~= "string" and type(v) ~= "number" and not (v == nil and p.opt) then
        return "string expected, got " .. describe(v)
    end
end
-- A file the loader could not open or decode would end the process: say
-- why here. The decoding is tried by the library itself, in a child process
-- (extra.probe), so that a file it chokes on cannot take the game with it.
local AS = { image = "an image", font = "a font", sound = "a sound", music = "music" }
function problem.path(p, v)
    if type(v) ~= "string" then return "string expected, got " .. describe(v) end
    local f, err = io.open(v, "rb")
    if f then
        local ok, rerr = f:read(1)
        f:close()
        if ok ~= nil or rerr == nil then
            local kind = p.loads
            local loads, why = extra.probe(v, kind)
            if loads then return nil end
            local msg = ("cannot load '%s' as %s: %s"):format(v, AS[kind], tostring(why))
            if kind == "sound" then msg = msg .. "; sox converts it: sox FILE -b 16 NEW.wav" end
            return msg
        end
        err = rerr
    elseif err:sub(1, #v + 2) == v .. ": " then
        err = err:sub(#v + 3)
    end
    return ("cannot read '%s': %s"):format(v, err)
end
local function handle_problem(p, v)
    if (v == nil and p.opt) or live[v] == p.type then return nil end
    return p.type .. " expected, got " .. describe(v)
end
local released = {} -- kind -> true when quit releases its handles
for _, k in ipairs(api.kinds) do
    problem[k.name], released[k.name] = handle_problem, k.released
end

-- A required argument that is nil: named, with the parameter list, so that
-- one forgotten in the middle shows where the others moved up.
local function missing(F, p)
    if p.missing then return p.missing end
    local msg = p.name .. " missing"
    if #F.params > 1 then
        local names = {}
        for i, q in ipairs(F.params) do names[i] = q.name end
        msg = ("%s; %s takes %s"):format(msg, F.name, concat(names, ", "))
    end
    if p.type == "surface" then msg = msg .. " (printFont with keep gives nil for an empty text)" end
    return msg
end

-- The slow path of argument i: raises, or returns when v is acceptable.
local function check(F, i, v)
    if i == 1 and v == M then -- z:init(640, 480) passes the table first
        error(("'%s' called with a colon: call it with a dot, z.%s(...)"):format(F.name, F.name), 3)
    end
    local p = F.params[i]
    local msg
    if p == nil then
        msg = #F.params == 0 and "no arguments expected" or ("at most %d arguments expected"):format(#F.params)
    elseif v == nil and not p.opt and p.type ~= "boolean" then
        msg = missing(F, p)
    else
        msg = problem[p.type](p, v, F)
    end
    if msg then argerror(F, i, msg) end
end

local function need(F)
    local msg
    if S.quit and not S.display then
        msg = "'%s' called after quit"
    elseif F.needs == "console" and S.display then
        msg = "'%s' needs the console: call curses_init first"
    elseif F.needs == "console" then
        msg = "'%s' called before curses_init"
    else
        msg = "'%s' called before init or curses_init"
    end
    error(msg:format(F.name), 3)
end

-- Checks across parameters, after each parameter passed on its own: each
-- rule of the description becomes a function of the arguments it names,
-- and their positions, which the wrapper passes it.
local function position(F, name)
    for i, p in ipairs(F.params) do
        if p.name == name then return i end
    end
    error(("%s: a rule names %s, which is not one of its parameters"):format(F.name, name))
end
local function positions(F, names)
    local at = {}
    for n, name in ipairs(names) do at[n] = position(F, name) end
    return at
end
local function rule(F, r)
    if r.pairs then
        local ok, list = {}, {}
        for n, v in ipairs(r.valid) do
            ok[v[1]] = ok[v[1]] or {}
            ok[v[1]][v[2]] = true
            list[n] = v[1] .. "," .. v[2]
        end
        local p, q = r.pairs[1], r.pairs[2]
        local at = positions(F, r.pairs)
        local fmt = ("no %s has %s %%d and %s %%d; the %s,%s pairs are %s"):format(r.what, p, q, p, q, concat(list, " "))
        return function(a, b) -- whole numbers (most calls) need no truncation
            local row = ok[a] or ok[trunc(tonumber(a))]
            if not (row and (row[b] or row[trunc(tonumber(b))])) then
                argerror(F, at[2], fmt:format(trunc(tonumber(a)), trunc(tonumber(b))))
            end
        end, at
    elseif r.all_or_none then
        local at, msg = positions(F, r.all_or_none), r.what .. " needs all three channels or none"
        return function(...)
            local given = 0
            for n = 1, #at do
                local v = select(n, ...)
                if v ~= nil and tonumber(v) >= 0 then given = given + 1 end
            end
            if given > 0 and given < #at then
                for n = 1, #at do
                    local v = select(n, ...)
                    if v == nil or tonumber(v) < 0 then argerror(F, at[n], msg) end
                end
            end
        end, at
    elseif r.required then
        local at, value = positions(F, { r.param, r.unless[1] }), r.unless[2]
        return function(v, c)
            if v == nil and trunc(tonumber(c)) ~= value then argerror(F, at[1], missing(F, F.params[at[1]])) end
        end, at
    end
    local at, value, bound = positions(F, { r.param, r.when[1] }), r.when[2], { name = r.as, min = r.min, max = r.max }
    local min, max = r.min or -math.huge, r.max or math.huge
    return function(v, c)
        local n = tonumber(v) -- a value in bounds (most calls) passes on one comparison
        if (n < min or n > max) and trunc(tonumber(c)) == value then
            local msg = range_problem(bound, v, n)
            if msg then argerror(F, at[1], msg) end
        end
    end, at
end

-- What a call changes in the tracking, given the call's results.
local function maker(kind)
    return function(...)
        local h = ...
        if h ~= nil then live[h], dead[h] = kind, nil end
        return ...
    end
end
local function freer(kind)
    return function(h)
        if h ~= nil then live[h], dead[h] = nil, "freed " .. kind end
    end
end
-- quit releases the kinds the description marks released.
local function stopper()
    for h, kind in pairs(live) do
        if released[kind] then live[h], dead[h] = nil, kind .. " released by quit" end
    end
    S.display, S.console, S.quit = false, false, true
end

-- No display. With SDL_VIDEODRIVER unset, SDL 1.2 tries X first and, with
-- no X server, falls back to a driver that draws the game as text in the
-- terminal (or on the machine's own console). Before a start: DISPLAY unset,
-- or a local DISPLAY that no server listens on (its socket is missing from
-- /proc/net/unix). After it: any driver but X's (a remote DISPLAY that does
-- not answer, a server gone that left its socket behind).
local function no_display(F, why)
    error(("'%s' found no display: %s; set DISPLAY to a running X server, or SDL_VIDEODRIVER=dummy "
        .. "to run without one"):format(F.name, why), 4)
end
local function driver_asked()
    local driver = os.getenv("SDL_VIDEODRIVER")
    return driver ~= nil and driver ~= ""
end
local function x_server_gone(display)
    local n = display:match("^%a*:(%d+)")
    if not n or not (display:match("^:") or display:match("^unix:")) then return false end
    local f = io.open("/proc/net/unix")
    if not f then return false end
    local sockets = f:read("*a") .. "\n"
    f:close()
    return not sockets:find("/tmp/.X11-unix/X" .. n .. "\n", 1, true)
end
local function before_start(F)
    if driver_asked() then return end
    local display = os.getenv("DISPLAY")
    local text = ", and SDL would draw the game as text in the terminal"
    if not display or display == "" then
        no_display(F, "DISPLAY is not set" .. text)
    elseif x_server_gone(display) then
        no_display(F, ("no X server listens on DISPLAY=%s"):format(display) .. text)
    end
end
local function starter(F)
    return function()
        S.display, S.quit = true, false
        if F.starts == "console" then S.console = true end
        local video = extra.drivers()
        if video and video ~= "x11" and video ~= "dga" and not driver_asked() then
            stopper()
            raw.quit()
            no_display(F, ("SDL fell back to its '%s' video driver, as no X server answered on DISPLAY=%s")
                :format(video, tostring(os.getenv("DISPLAY"))))
        end
    end
end

-- The fast test that lets an argument through without calling check().
local function fast(p, a)
    if p.type == "number" then
        local tests = { ("type(%s) == 'number'"):format(a) }
        if p.min == nil or p.max == nil then -- finite; both bounds fail NaN and infinities
            tests[#tests + 1] = ("%s - %s == 0"):format(a, a)
        end
        -- The bounds hold after truncation toward zero: 255.9 is 255, but 0.5 is 0.
        if p.min then
            tests[#tests + 1] = p.min > 0 and ("%s >= %d"):format(a, p.min) or ("%s > %d"):format(a, p.min - 1)
        end
        if p.max then
            tests[#tests + 1] = p.max < 0 and ("%s <= %d"):format(a, p.max) or ("%s < %d"):format(a, p.max + 1)
        end
        return concat(tests, " and ")
    elseif p.type == "boolean" then
        return ("%s == nil or %s == true or %s == false"):format(a, a, a)
    elseif p.type == "text" then
        return ("type(%s) == 'string'"):format(a)
    elseif p.type == "path" then
        return "false"
    end
    local test = ("live[%s] == '%s'"):format(a, p.type)
    return p.opt and ("%s == nil or %s"):format(a, test) or test
end

local function compile(F, lib)
    local args = {}
    for i = 1, #F.params do args[i] = "a" .. i end
    local list = concat(args, ", ")
    local src = { "local raw, F, S, live, type, check, need, rule, after, before_start = ...",
                  ("return function(%s)"):format(#F.params > 0 and list .. ", extra" or "extra") }
    if F.needs then
        src[#src + 1] = ("if not S.%s then need(F) end"):format(F.needs)
    end
    for i, p in ipairs(F.params) do
        src[#src + 1] = ("if not (%s) then check(F, %d, a%d) end"):format(fast(p, "a" .. i), i, i)
    end
    src[#src + 1] = ("if extra ~= nil then check(F, %d, extra) end"):format(#F.params + 1)
    local checks = {}
    for n, r in ipairs(F.rules or {}) do
        local at, names = nil, {}
        checks[n], at = rule(F, r)
        for k, i in ipairs(at) do names[k] = "a" .. i end
        src[#src + 1] = ("rule[%d](%s)"):format(n, concat(names, ", "))
    end
    -- Frees and quit track first, so that the module's call is a tail call
    -- (under LuaJIT an interrupt in it is then reported at the script's line).
    if F.frees or F.stops then
        src[#src + 1] = ("after(%s) return raw(%s)"):format(F.frees and "a1" or "", list)
    elseif F.starts then -- checked before (the environment) and after (the driver SDL chose)
        local res = {}
        for i = 1, #F.results do res[i] = "r" .. i end
        local results = concat(res, ", ")
        src[#src + 1] = ("before_start(F) %sraw(%s) after() return %s")
            :format(#res > 0 and "local " .. results .. " = " or "", list, results)
    elseif F.makes then
        src[#src + 1] = ("return after(raw(%s))"):format(list)
    else
        src[#src + 1] = ("return raw(%s)"):format(list)
    end
    src[#src + 1] = "end"
    local after = (F.makes and maker(F.makes)) or (F.frees and freer(F.frees)) or
        (F.starts and starter(F)) or (F.stops and stopper)
    local chunk = assert(load(concat(src, "\n"), "=zedodava.checked." .. F.name))
    return chunk((lib or raw)[F.name], F, S, live, type, check, need, checks, after, before_start)
end

-- Under lua5.1 an error raised while a wrapper runs (most often Ctrl-C's
-- "interrupted!" during timer's wait) carries the wrapper's position. The
-- interpreter prints uncaught errors through debug.traceback: this one moves
-- such a position to the line that called the wrapper.
if _VERSION == "Lua 5.1" and not rawget(_G, "jit") and debug and debug.traceback then
    local traceback, getinfo = debug.traceback, debug.getinfo
    debug.traceback = function(msg, level, ...)
        if type(msg) == "thread" then return traceback(msg, level, ...) end
        local text = type(msg) == "string" and msg:match("^zedodava%.checked%.[%w_]+:%d+: (.*)$")
        for l = 2, text and 100 or 0 do
            local info = getinfo(l, "S")
            if not info then break end
            if info.source:find("^=zedodava%.checked%.") then
                local up = getinfo(l + 1, "Sl")
                if up and up.currentline > 0 then msg = ("%s:%d: %s"):format(up.short_src, up.currentline, text) end
                break
            end
        end
        return traceback(msg, (tonumber(level) or 1) + 1)
    end
end

for _, F in ipairs(api) do
    M[F.name] = compile(F)
end

-- The checked form of zedodava.extra, sharing the tracking above, for
-- require "zedodava.extra.checked" (lua/zedodava/extra/checked.lua).
local extra, X = require "zedodava.extra", {}
for _, F in ipairs(api.extra) do
    X[F.name] = compile(F, extra)
end
package.preload["zedodava.extra.checked"] = function() return X end

return M
