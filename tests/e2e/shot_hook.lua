-- Runs before a game (lua -e 'dofile "shot_hook.lua"' game.lua ...) and
-- holds the game still after chosen frames, without the game knowing, so
-- that a screenshot can be taken. Environment:
--   ZD_SHOT_AT   frame numbers, e.g. "40 200": hold after those flips
--   ZD_SHOT_DIR  for step K: DIR/stepK.ppm (gScreen, when the test probe
--                module is on package.cpath), then DIR/readyK; the game goes
--                on once DIR/ackK exists
local z = require "zedodava"
local has_probe, probe = pcall(require, "zd_probe")
local dir = assert(os.getenv("ZD_SHOT_DIR"), "ZD_SHOT_DIR is not set")
local steps, count = {}, 0
for n in (os.getenv("ZD_SHOT_AT") or ""):gmatch("%d+") do
    count = count + 1
    steps[tonumber(n)] = count
end
local flip, frames = z.flip, 0
z.flip = function()
    flip()
    frames = frames + 1
    local k = steps[frames]
    if not k then return end
    if has_probe then probe.shot(flip, dir .. "/step" .. k .. ".ppm") end
    assert(io.open(dir .. "/ready" .. k, "w")):close()
    for _ = 1, 1000 do
        local ack = io.open(dir .. "/ack" .. k)
        if ack then return ack:close() end
        z.timer(20)
    end
    io.stderr:write("shot_hook: nobody took screenshot " .. k .. "\n")
    os.exit(3)
end
