-- Every function of zedodava and zedodava.extra with random argument counts
-- and values (16- and 32-bit edges, NaN, infinities, odd and cut UTF-8
-- strings, tables) and handles anywhere: live, freed, of another kind,
-- released by quit; start-ups with and without quit. Not what ends the
-- process or waits long. Frees all it made at the end, for valgrind's leak
-- check. ZD_FUZZ_GL (a real X server): start-ups also ask for OpenGL.
-- usage: lua fuzz.lua CALLS [SEED]
local z = require "zedodava"
local x = require "zedodava.extra"
local calls, seed, gl = tonumber(arg[1]), tonumber(arg[2]) or 1, os.getenv("ZD_FUZZ_GL") ~= nil
math.randomseed(seed)
local R, unpack = math.random, unpack or table.unpack
local dir, FONT = os.getenv("ZD_TMP"), "/usr/share/fonts/truetype/dejavu/DejaVuSans"
assert(os.execute("convert -size 7x5 xc:blue " .. dir .. "/f.png"))
assert(os.execute("sox -D -n -r 22050 -c 1 -b 16 " .. dir .. "/f.wav synth 0.01 sine 300"))
assert(os.execute("sox -D -n -r 22050 -c 1 " .. dir .. "/f.ogg synth 0.02 sine 500"))

local values = {0, 1, -1, 0.5, -0.5, 2.9, 27, 127, 255, 256, 300.7, 322, 323, 32767, 32768, -32769,
                65535, 65536, 2147483647, 2147483648, -2147483649, 4294967297, 2 ^ 53, 1e300, -1e300,
                0 / 0, math.huge, -math.huge, "", "12", "0x10", "red", "A", "\t", "\127", "\255\254",
                "ab\226\130", "\240", "\226\130\172", "\0abc", string.rep("W", 3000), true, false,
                {}, print}
local handles = {} -- every handle made: live, freed, or released by quit
local loads = {
    function() return z.makeSurf(R(0, 99), R(0, 99)) end,
    function() return z.loadImage(dir .. "/f.png") end,
    function() return z.loadFont(FONT .. (R() < 0.5 and "Mono.ttf" or ".ttf"), R(1, 40) + R()) end,
    function() return z.loadSound(dir .. "/f.wav") end,
    function() return z.loadMusic(dir .. "/f.ogg") end,
}
local names = {"fill", "putpix", "blit", "draw", "drawTri", "printFont", "flip", "input", "mouse",
               "isKeyDown", "showCursor", "playSound", "playMusic", "pauseMusic", "musicVolume",
               "curses_refresh", "curses_addch", "curses_setcol", "curses_fill", "timer",
               "freeSurf", "freeFont", "freeSound", "freeMusic"}
-- zedodava.extra's, as "x." names; probes (a process each) kept rare.
for name in pairs(x) do names[#names + 1] = "x." .. name end
local function fn(name) return name:find("^x%.") and x[name:sub(3)] or z[name] end
local running = false
local function start() -- over a running engine too: a second start-up without quit
    if R() < 0.5 then
        z.init(R(16, 320), R(16, 240), R() < 0.2, gl and R() < 0.6)
    else
        z.curses_init(R(1, 40), R(1, 12), FONT .. "Mono.ttf", R(6, 16))
    end
    running = true
end

start()
-- Text cut inside a UTF-8 sequence every way, drawn, kept and measured, for valgrind to watch.
handles[1] = z.loadFont(FONT .. ".ttf", 12)
for _, cut in ipairs{"\255\254", "ab\226\130", "\240", "x\195", "\240\159\152"} do
    z.printFont(handles[1], cut, 255, 255, 255, 0, 0) x.textSize(handles[1], cut)
    handles[#handles + 1] = z.printFont(handles[1], cut, 255, 255, 255, 0, 0, nil, true)
end
for _ = 1, calls do
    local r = R()
    if r < 0.01 then
        if running and R() < 0.8 then z.quit() running = false else start() end
    elseif r < 0.05 and running and #handles < 200 then -- loads fail fatally with no display
        handles[#handles + 1] = (loads[R(#loads)]())
    else
        local name, n, args = names[R(#names)], R(0, 13), {}
        for i = 1, n do
            local p = R()
            args[i] = p < 0.3 and handles[R(math.max(#handles, 1))] or p < 0.4 and R(-999, 999) or
                      values[R(#values)]
        end
        if name == "timer" and (tonumber(args[1]) or 0) >= 1 then args[1] = 0 end
        if name == "x.saveImage" and (tonumber(args[2]) or type(args[2]) == "string") then args[2] = dir .. "/s.png" end
        if (name ~= "curses_refresh" or R() < 0.1) and (name ~= "x.probe" or R() < 0.02) then
            local ok, h = pcall(fn(name), unpack(args, 1, n))
            assert(ok or name:find("^curses_[sf]") and tostring(h):find("bad argument"), tostring(h))
            if (name == "printFont" or name == "x.transform") and type(h) == "userdata" then
                handles[#handles + 1] = h
            end
        end
    end
end
for _, h in ipairs(handles) do z.freeSurf(h) z.freeFont(h) z.freeSound(h) z.freeMusic(h) end
z.quit()
io.stderr:write(string.format("fuzz: %d calls, seed %d\n", calls, seed))
