-- The driver behind the `zedodava` command (bin/zedodava starts it in the
-- game's folder, with the module and these files on Lua's search paths):
--
--   INTERPRETER run.lua [OPTION=VALUE...] -- GAME.lua [ARG...]
--
-- Options, as the command hands them over: checked=1, headless=1,
-- frames=N, shot=FILE, record=FILE, replay=FILE, files=DIR (a packed game's
-- copies of the system files it names).
--
-- The game's `require "zedodava"` gets a table made here over the module's:
-- the same 32 functions, some wrapped to count frames, take the screenshot,
-- track the window, and record or replay what the player and the clock
-- decide. Checked mode, when asked for, is built on top of that table.
local opt, i = {}, 1
while arg[i] and arg[i] ~= "--" do
    local k, v = arg[i]:match("^(%w+)=(.*)$")
    opt[k] = v
    i = i + 1
end
local game_file = assert(arg[i + 1], "run.lua: no game given")
local game_arg = { [0] = game_file }
for j = i + 2, #arg do game_arg[#game_arg + 1] = arg[j] end

local raw = require "zedodava"
local ok_extra, extra = pcall(require, "zedodava.extra")
if not ok_extra then extra = nil end
local unpack = unpack or table.unpack
local floor, format, tostring, select, type = math.floor, string.format, tostring, select, type
local exit, stderr = os.exit, io.stderr
local here = debug.getinfo(1, "S").source:sub(2)
-- Someone may be watching: a window on a display (the error screen, and a
-- replay at the recorded pace).
local watched = not opt.headless and os.getenv("SDL_VIDEODRIVER") ~= "dummy"

local z = {}
for k, v in pairs(raw) do z[k] = v end

-- What the window is: size, and whether one is open (for the error screen).
local window = nil
function z.init(w, h, ...)
    raw.init(w, h, ...)
    window = { w = tonumber(w) or 0, h = tonumber(h) or 0 }
end
function z.curses_init(cols, rows, ...)
    local cw, ch = raw.curses_init(cols, rows, ...)
    window = { w = (tonumber(cols) or 0) * (cw or 0), h = (tonumber(rows) or 0) * (ch or 0) }
    return cw, ch
end

-- A packed game carries copies of the system files its source names (its
-- fonts): an absolute path is read from the copy when there is one.
if opt.files then
    local function mapped(p)
        if type(p) ~= "string" or p:sub(1, 1) ~= "/" then return p end
        local f = io.open(opt.files .. p, "rb")
        if not f then return p end
        f:close()
        return opt.files .. p
    end
    for _, name in ipairs { "loadImage", "loadFont", "loadSound", "loadMusic" } do
        local f = raw[name]
        z[name] = function(p, ...) return f(mapped(p), ...) end
    end
    local ci = z.curses_init
    z.curses_init = function(c, r, font, ...) return ci(c, r, mapped(font), ...) end
    if extra and extra.probe then
        local probe = extra.probe
        extra.probe = function(p, ...) return probe(mapped(p), ...) end
    end
end

-- The end of a run that the command decides (--frames, the end of a
-- replay): the last frame saved, the engine closed, status 0.
local rec, finish_shot
local function finish()
    finish_shot()
    if rec then rec:close() rec = nil end
    raw.quit()
    io.stdout:flush()
    exit(0)
end

function finish_shot()
    if not (opt.shot and window) then return end
    if not (extra and extra.saveImage) then
        stderr:write("zedodava: --screenshot needs zedodava.extra's saveImage\n")
        return
    end
    local ok, why = extra.saveImage(nil, opt.shot)
    if not ok then stderr:write("zedodava: screenshot not saved: ", tostring(why), "\n") end
    opt.shot = nil
end

function z.quit()
    finish_shot()
    window = nil
    raw.quit()
end

local frames, limit = 0, tonumber(opt.frames)
if limit then
    function z.flip()
        raw.flip()
        frames = frames + 1
        if frames >= limit then finish() end
    end
end

---------------------------------------------------------------------------
-- Record and replay. Each answer the game gets from the player or the clock
-- is one line of the file: a tag and the values, written as Lua constants.

-- A random generator that gives the same numbers under every Lua version
-- (Park and Miller's; every product is exact in a double), so that a
-- recording made under one interpreter replays under another.
local function portable_random(seed)
    local state
    local function randomseed(s)
        state = floor(tonumber(s) or 0) % 2147483646 + 1
    end
    local function random(m, n)
        state = state * 16807 % 2147483647
        local u = (state - 1) / 2147483646
        if m == nil then return u end
        if n == nil then m, n = 1, m end
        m, n = floor(m), floor(n)
        if m > n then error("bad argument to 'random' (interval is empty)", 2) end
        return m + floor(u * (n - m + 1))
    end
    randomseed(seed)
    math.random, math.randomseed = random, randomseed
end

local has_math_type = math.type ~= nil
local function encode(v)
    local t = type(v)
    if t == "number" then
        if v ~= v then return "0/0" end
        if v == 1 / 0 then return "1/0" end
        if v == -1 / 0 then return "-1/0" end
        local s = format("%.17g", v)
        if has_math_type and math.type(v) == "float" and not s:find("[.eE]") then s = s .. ".0" end
        return s
    elseif t == "string" then
        return (format("%q", v):gsub("\\\n", "\\n"):gsub("\r", "\\r"))
    end
    return tostring(v) -- booleans and nil
end

local load = loadstring or load
local replayed = 1 -- the lines read: the first says what the file is
local function take(tag, replay)
    local line = replay:read("*l")
    if not line then
        stderr:write("zedodava: the replay ended\n")
        finish()
    end
    replayed = replayed + 1
    local t = { assert(load("return " .. line, "=replay"))() }
    if t[1] ~= tag then -- reported at the game's line: the first caller outside this file
        local level = 1
        repeat
            level = level + 1
            local info = debug.getinfo(level, "S")
        until not info or (info.source ~= "@" .. here and info.what ~= "tail")
        error(format("replay out of step at line %d: the game asked for '%s', the recording has '%s'",
            replayed, tag, tostring(t[1])), level)
    end
    return unpack(t, 3, t[2] + 2)
end

local function put(tag, ...)
    local n = select("#", ...)
    local parts = { encode(tag), tostring(n) }
    for k = 1, n do parts[k + 2] = encode((select(k, ...))) end
    rec:write(table.concat(parts, ","), "\n")
    return ...
end

-- The answers a run depends on, by tag: the function they come from, and
-- whether the real call is still made in a replay (input keeps the window
-- alive; the timer keeps the pace when someone is watching).
local answers = {
    { "input", raw, "input", true },
    { "mouse", raw, "mouse" },
    { "isKeyDown", raw, "isKeyDown" },
    { "timer", raw, "timer", watched },
    { "os.time", os, "time" },
    { "os.clock", os, "clock" },
}
if extra and extra.typed then answers[#answers + 1] = { "typed", extra, "typed" } end

local function wrap_answers(replay)
    for _, a in ipairs(answers) do
        local tag, owner, name, call_too = a[1], a[2], a[3], a[4]
        local real = owner[name]
        local wrapped
        if replay then
            wrapped = function(...)
                if call_too then real(...) end
                return take(tag, replay)
            end
        else
            wrapped = function(...) return put(tag, real(...)) end
        end
        if tag == "os.time" then -- a date in a table is no one's decision
            local plain = wrapped
            wrapped = function(t, ...)
                if t ~= nil then return real(t, ...) end
                return plain()
            end
        end
        if owner == raw then z[name] = wrapped else owner[name] = wrapped end
    end
    local date, time = os.date, os.time
    os.date = function(fmt, t) return date(fmt, t or time()) end
end

if opt.record then
    rec = assert(io.open(opt.record, "w"))
    local seed = floor(os.time() % 1000000 * 1000 + os.clock() * 1000) % 2147483646
    rec:write('"zedodava replay",1\n', encode("seed"), ",1,", encode(seed), "\n")
    portable_random(seed)
    wrap_answers(nil)
elseif opt.replay then
    local replay = assert(io.open(opt.replay, "r"))
    if replay:read("*l") ~= '"zedodava replay",1' then
        stderr:write("zedodava: ", opt.replay, " is not a recording\n")
        exit(1)
    end
    portable_random(take("seed", replay))
    wrap_answers(replay)
end

---------------------------------------------------------------------------
-- The game's view: its require "zedodava" gets this table (or checked
-- mode's, built over it), and so does the global.

package.loaded.zedodava = z
if opt.checked then
    package.loaded.zedodava = require "zedodava.checked"
end
zedodava = package.loaded.zedodava

-- A Lua error: the message and the game's part of the traceback on the
-- terminal; with a window, the same on the screen until a key or a click.
local function traceback(msg)
    local lines = {}
    for line in debug.traceback(tostring(msg), 2):gmatch("[^\n]+") do
        if line:find("in function 'xpcall'", 1, true) then break end
        if not (line:find(here, 1, true) or line:find("(tail call)", 1, true)) then
            lines[#lines + 1] = line
        end
    end
    return table.concat(lines, "\n")
end

local FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
local function error_screen(text)
    local path = opt.files and io.open(opt.files .. FONT) and opt.files .. FONT or FONT
    local f = io.open(path, "rb")
    if not f then return end
    f:close()
    local font = raw.loadFont(path, 14)
    local cols = math.max(20, floor(window.w / 8.5) - 2)
    raw.fill(0, 0, 0, 0, 40, 0, 0, 255)
    local y = 10
    for line in (text .. "\n\npress a key or click to close"):gmatch("([^\n]*)\n?") do
        line = line:gsub("\t", "    ")
        repeat
            raw.printFont(font, line:sub(1, cols), 255, 230, 200, 10, y)
            line, y = line:sub(cols + 1), y + 18
        until line == ""
    end
    raw.flip()
    if extra and extra.catchClose then extra.catchClose(true) end
    while true do
        local ev = raw.input()
        if ev == 1 or ev == 3 or ev == 5 then break end
        raw.timer(30)
    end
end

local chunk, err = loadfile(game_file)
if not chunk then
    stderr:write(err, "\n")
    exit(1)
end
arg = game_arg
local ok, msg = xpcall(function() return chunk(unpack(game_arg)) end, traceback)
if not ok then
    stderr:write(msg, "\n")
    if window and watched then error_screen(msg) end
    if rec then rec:close() end
    exit(1)
end
finish_shot()
if rec then rec:close() end
