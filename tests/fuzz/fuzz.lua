-- A seeded random driver over every function of the module: random argument
-- counts and values (nil, booleans, numbers at the 16- and 32-bit edges, NaN
-- and infinities, empty, long, numeric and cut UTF-8 strings, tables,
-- functions); handles of the right kind most of the time, otherwise of
-- another kind, freed, or released by quit; start-ups with and without quit.
-- It leaves out only what ends the process (failing loads, the close event)
-- and long waits, and frees all it made at the end: run_fuzz.sh runs it
-- where the sanitizers watch, and under valgrind for leaks.
--
-- usage: lua fuzz.lua CALLS [SEED]
local z = require "zedodava"
local calls, seed = tonumber(arg[1]), tonumber(arg[2]) or 1
math.randomseed(seed)
local R, unpack = math.random, unpack or table.unpack
local dir, FONT = os.getenv("ZD_TMP"), "/usr/share/fonts/truetype/dejavu/DejaVuSans"
assert(os.execute("convert -size 7x5 xc:blue " .. dir .. "/f.png"))
assert(os.execute("sox -D -n -r 22050 -c 1 -b 16 " .. dir .. "/f.wav synth 0.01 sine 300"))
assert(os.execute("sox -D -n -r 22050 -c 1 " .. dir .. "/f.ogg synth 0.02 sine 500"))

local values = {
    0, 1, -1, 0.5, -0.5, 2.9, -2.9, 7, 27, 97, 127, 128, 255, 256, 300.7, 322, 323, 32767, 32768,
    -32768, -32769, 65535, 65536, -65536, 2147483647, 2147483648, -2147483648, -2147483649,
    4294967296, 4294967297, 2 ^ 53, -2 ^ 53, 1e300, -1e300, 0 / 0, math.huge, -math.huge, "", "12",
    " 7 ", "0x10", "-5", "red", "A", "~", "\t", "\127", "\255\254", "\200", "ab\226\130", "\240",
    "\226\130\172", "\0abc", string.rep("W", 3000), true, false, {}, print,
}
local function value()
    local r = R()
    if r < 0.08 then return nil end
    if r < 0.35 then return R(-1000, 1000) + (R() < 0.3 and R() or 0) end
    return values[R(#values)]
end

local kinds = {"surface", "font", "sound", "music"}
local live, dead = {surface = {}, font = {}, sound = {}, music = {}}, {}
local free = {surface = z.freeSurf, font = z.freeFont, sound = z.freeSound, music = z.freeMusic}
local make = {
    surface = function() return R() < 0.5 and z.makeSurf(R(0, 99), R(0, 99)) or z.loadImage(dir .. "/f.png") end,
    font = function() return z.loadFont(FONT .. (R() < 0.5 and "Mono.ttf" or ".ttf"), R(1, 40) + R()) end,
    sound = function() return z.loadSound(dir .. "/f.wav") end,
    music = function() return z.loadMusic(dir .. "/f.ogg") end,
}
local function forget(kind, i)
    local h = table.remove(live[kind], i)
    table.insert(dead, 1, h)
    dead[65] = nil
    return h
end
-- An argument that takes a handle of this kind.
local function handle(kind)
    if R() < 0.15 then return dead[R(math.max(#dead, 1))] end
    local pool = live[R() < 0.15 and kinds[R(4)] or kind]
    return pool[R(math.max(#pool, 1))]
end
local takes = {
    fill = {[9] = "surface"}, putpix = {[7] = "surface"}, blit = {"surface", [4] = "surface"},
    draw = {[11] = "surface"}, drawTri = {[12] = "surface"}, printFont = {"font", [8] = "surface"},
    playSound = {"sound"}, playMusic = {"music"}, freeSurf = {"surface"}, freeFont = {"font"},
    freeSound = {"sound"}, freeMusic = {"music"},
}
local names = {"fill", "putpix", "blit", "draw", "drawTri", "printFont", "flip", "input", "mouse",
               "isKeyDown", "showCursor", "playSound", "playMusic", "pauseMusic", "musicVolume",
               "curses_refresh", "curses_addch", "curses_setcol", "curses_fill", "timer", "freeSurf",
               "freeFont", "freeSound", "freeMusic"}

local running = false
local function start() -- over a running engine too: a second start-up without quit
    if R() < 0.5 then z.init(R(16, 320), R(16, 240)) else z.curses_init(R(1, 40), R(1, 12), FONT .. "Mono.ttf", R(6, 16)) end
    running = true
end
start()
for _ = 1, calls do
    local r, kind = R(), kinds[R(4)]
    if r < 0.01 then
        if running and R() < 0.8 then -- quit releases fonts, sounds and music
            z.quit()
            running = false
            for _, k in ipairs{"font", "sound", "music"} do while #live[k] > 0 do forget(k, 1) end end
        else
            start()
        end
    elseif r < 0.05 and running and #live[kind] < 24 then -- loads fail fatally without a display
        table.insert(live[kind], (make[kind]()))
    elseif r < 0.09 and #live[kind] > 0 then
        free[kind](forget(kind, R(#live[kind])))
    elseif r >= 0.09 then
        local name = names[R(#names)]
        local n, args = R(0, 13), {}
        for i = 1, n do
            local k = takes[name] and takes[name][i]
            if k and R() < 0.6 then args[i] = handle(k) else args[i] = value() end
        end
        if name == "timer" and (tonumber(args[1]) or 0) >= 1 then args[1] = 0 end
        if name ~= "curses_refresh" or R() < 0.1 then -- slow; keep it rare
            local ok, h = pcall(z[name], unpack(args, 1, n))
            assert(ok or name:find("^curses_[sf]") and tostring(h):find("bad argument"), tostring(h))
            if name == "printFont" and type(h) == "userdata" then table.insert(live.surface, h) end
        end
    end
end
for kind, pool in pairs(live) do
    for _, h in ipairs(pool) do free[kind](h) end
end
z.quit()
io.stderr:write(string.format("fuzz: %d calls, seed %d\n", calls, seed))
