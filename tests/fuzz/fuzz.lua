-- The API description's functions but the start-ups and quit (this file's
-- own), with random argument counts and values: mostly of each parameter's
-- shape (a handle of its kind, a number in range, text, a boolean), else
-- anything (integer edges, NaN, infinities, cut UTF-8, tables, handles live,
-- freed, of another kind or released by quit). Nothing that ends the process
-- or waits long: loads get files that load, timer no pace, probes stay rare.
-- All is freed at the end, for valgrind's leak check. ZD_FUZZ_GL (a real X
-- server): start-ups also ask for OpenGL. usage: lua fuzz.lua CALLS [SEED]
package.path = arg[0]:gsub("[^/]*$", "") .. "../../lua/?.lua;" .. package.path
local z, x, api = require "zedodava", require "zedodava.extra", require "zedodava.api"
local calls, seed, gl = tonumber(arg[1]), tonumber(arg[2]) or 1, os.getenv("ZD_FUZZ_GL") ~= nil
math.randomseed(seed)
local R, unpack = math.random, unpack or table.unpack
local dir, FONT = os.getenv("ZD_TMP"), "/usr/share/fonts/truetype/dejavu/DejaVuSans"
assert(os.execute(("cd %s && convert -size 7x5 xc:blue f.png && sox -D -n -r 22050 -c 1 -b 16 f.wav synth 0.01 "
    .. "sine 300 && sox -D -n -r 22050 -c 1 f.ogg synth 0.02 sine 500"):format(dir)))
local files = { image = { dir .. "/f.png" }, font = { FONT .. "Mono.ttf", FONT .. ".ttf" },
                sound = { dir .. "/f.wav" }, music = { dir .. "/f.ogg" } }

local values = {0, 1, -1, 0.5, -0.5, 2.9, 27, 127, 255, 256, 300.7, 322, 323, 32767, 32768, -32769,
                65535, 65536, 2147483647, 2147483648, -2147483649, 4294967297, 2 ^ 53, 1e300, -1e300,
                0 / 0, math.huge, -math.huge, "", "12", "0x10", "red", "A", "\t", "\127", "\255\254",
                "ab\226\130", "\240", "\226\130\172", "\0abc", string.rep("W", 3000), true, false,
                {}, print}
local handles, kinds = {}, {} -- every handle made (live, freed, or released by quit); by kind
for _, k in ipairs(api.kinds) do kinds[k.name] = {} end
local function keep(kind, h) -- h, when a handle of that kind
    if kind and type(h) == "userdata" then handles[#handles + 1], kinds[kind][#kinds[kind] + 1] = h, h end
end
local function pick(list) return list[R(math.max(#list, 1))] end
local function anything(p) return p < 0.3 and pick(handles) or p < 0.4 and R(-999, 999) or pick(values) end
-- A value of p's shape; a number without a bound stays small (zooms), a load's smaller still (sizes).
local function shaped(p, load)
    if kinds[p.type] then return pick(R() < 0.8 and kinds[p.type] or handles) end
    if p.type == "number" then return load and R(p.min or 0, 40) + R() or R(p.min or -9, p.max or 9) end
    if p.type == "boolean" then return R() < 0.5 end
    return p.type == "path" and pick(files[p.loads]) or pick(R() < 0.5 and { "A", "hi", "" } or values)
end
-- Loads make a handle from a file or a size, and end the process on a bad argument.
local loads, others = {}, {}
for _, t in ipairs({ { z, api }, { x, api.extra } }) do
    for _, F in ipairs(t[2]) do
        local list = F.makes and not kinds[F.params[1].type] and loads or not (F.starts or F.stops) and others
        if list then list[#list + 1] = { F = F, fn = t[1][F.name] } end
    end
end

local running = false
local function start() -- over a running engine too: a second start-up without quit
    if R() < 0.5 then z.init(R(16, 320), R(16, 240), R() < 0.2, gl and R() < 0.6)
    else z.curses_init(R(1, 40), R(1, 12), FONT .. "Mono.ttf", R(6, 16)) end
    running = true
end

start()
-- Text cut inside a UTF-8 sequence every way, drawn, kept and measured, for valgrind to watch.
local font = z.loadFont(FONT .. ".ttf", 12) keep("font", font)
for _, cut in ipairs{"\255\254", "ab\226\130", "\240", "x\195", "\240\159\152"} do
    z.printFont(font, cut, 255, 255, 255, 0, 0) x.textSize(font, cut)
    keep("surface", z.printFont(font, cut, 255, 255, 255, 0, 0, nil, true))
end
for _ = 1, calls do
    local r = R()
    if r < 0.01 then
        if running and R() < 0.8 then z.quit() running = false else start() end
    elseif r < 0.05 and running and #handles < 200 then -- loads fail fatally with no display
        local L, args = pick(loads), {}
        for i, p in ipairs(L.F.params) do args[i] = shaped(p, true) end
        keep(L.F.makes, (L.fn(unpack(args, 1, #L.F.params))))
    else
        local E, args = pick(others), {}
        local F, n = E.F, R() < 0.7 and #E.F.params or R(0, 13)
        for i = 1, n do args[i] = F.params[i] and R() < 0.6 and shaped(F.params[i]) or anything(R()) end
        if F.name == "timer" and (tonumber(args[1]) or 0) >= 1 then args[1] = 0 end
        if F.name == "saveImage" and (tonumber(args[2]) or type(args[2]) == "string") then args[2] = dir .. "/s.png" end
        if (F.name ~= "curses_refresh" or R() < 0.1) and (F.name ~= "probe" or R() < 0.02) then
            local ok, h = pcall(E.fn, unpack(args, 1, n))
            assert(ok or F.name:find("^curses_[sf]") and tostring(h):find("bad argument"), tostring(h))
            keep(F.makes, h)
        end
    end
end
for _, h in ipairs(handles) do for _, F in ipairs(api) do if F.frees then z[F.name](h) end end end
z.quit()
io.stderr:write(string.format("fuzz: %d calls, seed %d\n", calls, seed))
