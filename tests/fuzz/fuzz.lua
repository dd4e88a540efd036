-- A seeded random driver over the module's functions: random argument counts
-- and types (nil, booleans, numbers at the 16- and 32-bit edges, NaN and
-- infinities, huge and negative numbers, empty, long, non-UTF-8 and numeric
-- strings, tables, functions) and live handles of the right kind. Meant to
-- run against the sanitizer build: any crash or report ends the process.
--
-- Handles are live ones of the right kind most of the time, and otherwise
-- live ones of another kind, freed ones, and ones that quit released; quit
-- and a new start-up come now and then, with calls in between. It leaves
-- out only what ends the process (failing loads, the close event) and
-- pacing targets that would sleep for long.
--
-- usage: lua fuzz.lua SECONDS [SEED] [text]
-- With "text" it calls only printFont, for a run under valgrind (the font
-- library is not instrumented, so only valgrind sees its reads).
local z = require "zedodava"

local seconds = tonumber(arg[1]) or 10
local seed = tonumber(arg[2]) or os.time()
local text_only = arg[3] == "text"
math.randomseed(seed)
local R = math.random
local unpack = unpack or table.unpack

local dir = os.getenv("ZD_TMP") or "/tmp"
local FONTS = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
               "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"}
local png, wav, ogg = dir .. "/f.png", dir .. "/f.wav", dir .. "/f.ogg"
assert(os.execute("convert -size 7x5 xc:blue " .. png))
assert(os.execute("sox -D -n -r 22050 -c 1 -b 16 " .. wav .. " synth 0.01 sine 300"))
assert(os.execute("sox -D -n -r 22050 -c 1 " .. ogg .. " synth 0.02 sine 500"))

local NAN, INF = 0 / 0, math.huge
local values = {
    0, 1, -1, 0.5, -0.5, 2.9, -2.9, 7, 27, 97, 127, 128, 255, 256, 300.7, 322, 323,
    32767, 32768, -32768, -32769, 65535, 65536, -65536, 2147483647, 2147483648,
    -2147483648, -2147483649, 4294967296, 4294967297, 2 ^ 53, -2 ^ 53, 1e300, -1e300,
    NAN, INF, -INF, "", "12", " 7 ", "0x10", "1e3", "-5", "red", "A", "~", "\t", "\127",
    "\255\254", "\200", "\226\130\172", "\0abc", string.rep("W", 3000), "Hello, world",
    true, false, {}, print, coroutine.create(function() end),
}

local function value()
    local r = R()
    if r < 0.08 then return nil end
    if r < 0.35 then return R(-1000, 1000) + (R() < 0.3 and R() or 0) end
    return values[R(#values)]
end

-- Live handles by kind; the handle positions of each function.
local live = {surface = {}, font = {}, sound = {}, music = {}}
local takes = {
    fill = {[9] = "surface"}, putpix = {[7] = "surface"}, blit = {[1] = "surface", [4] = "surface"},
    draw = {[11] = "surface"}, drawTri = {[12] = "surface"},
    printFont = {[1] = "font", [8] = "surface"},
    playSound = {[1] = "sound"}, playMusic = {[1] = "music"},
}
local frees = {freeSurf = "surface", freeFont = "font", freeSound = "sound", freeMusic = "music"}

local dead = {} -- freed handles, and those quit released
local kinds = {"surface", "font", "sound", "music"}

local function add(kind, h)
    if type(h) == "userdata" then table.insert(live[kind], h) end
end

local function bury(h)
    if #dead >= 64 then table.remove(dead, 1) end
    table.insert(dead, h)
end

local function take(kind)
    local pool = live[kind]
    if #pool == 0 then return nil end
    local h = table.remove(pool, R(#pool))
    bury(h)
    return h
end

-- A handle for an argument that takes one of the given kind: mostly right,
-- sometimes of another kind, freed, or none.
local function pick(kind)
    local r = R()
    if r < 0.15 then kind = kinds[R(4)] end
    if r > 0.85 and #dead > 0 then return dead[R(#dead)] end
    local pool = live[kind]
    if #pool == 0 then return nil end
    return pool[R(#pool)]
end

-- Calls a function with up to 13 random arguments, handles where they belong.
local errors_allowed = {curses_setcol = true, curses_fill = true}
local calls = 0
local function call(name, args, n)
    calls = calls + 1
    local ok, err = pcall(z[name], unpack(args, 1, n))
    if not ok and not (errors_allowed[name] and tostring(err):find("bad argument", 1, true)) then
        error(string.format("%s raised: %s", name, tostring(err)))
    end
    return ok, err
end


local random_calls = {
    "fill", "putpix", "blit", "draw", "drawTri", "printFont", "flip", "input", "mouse",
    "isKeyDown", "showCursor", "playSound", "playMusic", "pauseMusic", "musicVolume",
    "curses_refresh", "curses_addch", "curses_setcol", "curses_fill", "timer",
}

local function random_call()
    local name = text_only and "printFont" or random_calls[R(#random_calls)]
    local n = R(0, 13)
    local args = {}
    for i = 1, n do
        local kind = takes[name] and takes[name][i]
        if kind and R() < 0.6 then args[i] = pick(kind) else args[i] = value() end
    end
    if name == "timer" then
        -- Only targets that never sleep long.
        local t = args[1]
        if type(t) == "number" and t >= 1 and t < 1000 then args[1] = 0 end
        if type(t) == "string" and tonumber(t) and tonumber(t) >= 1 and tonumber(t) < 1000 then
            args[1] = nil
        end
    end
    if name == "curses_refresh" and R() < 0.9 then return end -- slow; keep it rare
    return call(name, args, n)
end

local running = false

local function start()
    if R() < 0.5 then
        z.init(R(16, 320), R(16, 240), false, false)
    else
        z.curses_init(R(1, 40), R(1, 12), FONTS[2], R(6, 16))
    end
    running = true
end

-- quit releases fonts, sounds and music: their handles go stale.
local function stop()
    z.quit()
    running = false
    for _, kind in ipairs{"font", "sound", "music"} do
        while #live[kind] > 0 do take(kind) end
    end
end

local function resource_call()
    if not running then return end -- loads would end the process
    local r = R(10)
    if r == 1 then
        add("surface", (z.makeSurf(R(1, 200) + R(), R(1, 200) + R())))
    elseif r == 2 then
        add("surface", (z.loadImage(png)))
    elseif r == 3 then
        add("font", (z.loadFont(FONTS[R(2)], R(1, 40) + R())))
    elseif r == 4 then
        add("sound", (z.loadSound(wav)))
    elseif r == 5 then
        add("music", (z.loadMusic(ogg)))
    elseif r == 6 then
        local f = pick("font")
        if f then
            local h = z.printFont(f, value(), value(), value(), value(), value(), value(),
                                  pick("surface"), true)
            add("surface", h)
        end
    else
        -- Free one live handle of a random kind, or pass a free function junk.
        local names = {"freeSurf", "freeFont", "freeSound", "freeMusic"}
        local name = names[R(4)]
        local arg
        if R() < 0.7 then arg = take(frees[name]) else arg = pick(frees[name]) or value() end
        call(name, {arg}, 1)
    end
end

local function run_for(limit)
    local deadline = os.time() + limit
    while os.time() < deadline do
        for _ = 1, 50 do
            if R() < 0.1 then resource_call() else random_call() end
        end
        if R() < 0.02 then
            if running then stop() else start() end
        end
        for kind, pool in pairs(live) do
            while #pool > 24 do call(({surface = "freeSurf", font = "freeFont", sound = "freeSound",
                                       music = "freeMusic"})[kind], {take(kind)}, 1) end
        end
    end
end

local started = os.time()
start()
run_for(seconds)
for kind, name in pairs({surface = "freeSurf", font = "freeFont", sound = "freeSound", music = "freeMusic"}) do
    while #live[kind] > 0 do z[name](take(kind)) end
end
z.quit()
io.stderr:write(string.format("fuzz: %d calls in %d s, seed %d\n", calls, os.time() - started, seed))
