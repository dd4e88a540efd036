-- Runs before a game (lua -e 'dofile "shot_hook.lua"' game.lua ...) and
-- holds the game still after chosen frames so that a screenshot can be
-- taken, without the game knowing. Environment:
--   ZD_SHOT_AT   frame numbers, e.g. "40 200": hold after those flips
--   ZD_SHOT_DIR  for step K: DIR/stepK.ppm (gScreen, when the test probe
--                module is on package.cpath), then DIR/readyK (the window's
--                X id, 0 without the probe); the game goes on once DIR/ackK
--                exists
local z = require "zedodava"
local has_probe, probe = pcall(require, "zd_probe")
local dir = assert(os.getenv("ZD_SHOT_DIR"), "ZD_SHOT_DIR is not set")

local steps, count = {}, 0
for n in (os.getenv("ZD_SHOT_AT") or ""):gmatch("%d+") do
    count = count + 1
    steps[tonumber(n)] = count
end

local function exists(path)
    local f = io.open(path)
    if f then f:close() end
    return f ~= nil
end

local flip, frames = z.flip, 0
z.flip = function()
    flip()
    frames = frames + 1
    local k = steps[frames]
    if not k then return end
    local id = 0
    if has_probe then
        probe.shot(flip, dir .. "/step" .. k .. ".ppm")
        local known, wid = pcall(probe.window) -- no window under the dummy driver
        if known then id = wid end
    end
    local f = assert(io.open(dir .. "/ready" .. k, "w"))
    f:write(string.format("%d\n", id))
    f:close()
    for _ = 1, 1000 do
        if exists(dir .. "/ack" .. k) then return end
        z.timer(20)
    end
    io.stderr:write("shot_hook: nobody took screenshot " .. k .. "\n")
    os.exit(3)
end
