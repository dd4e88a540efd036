-- The demo game: opens a window, runs a frame loop paced at 60 frames per
-- second, reports keys and mouse clicks, and quits on Escape or when the
-- window is closed. "--frames N" stops it by itself after N frames.
local z = require "zedodava"

local frames_left = math.huge
for i = 1, #arg do
    if arg[i] == "--frames" then frames_left = tonumber(arg[i + 1]) or 0 end
end

local ESCAPE = 27
z.init(640, 480)

local running, last_fps = true, -1
while running and frames_left > 0 do
    local ev, a, b, c = z.input()
    while ev ~= 0 do
        if ev == 1 and a == ESCAPE then
            running = false
        elseif ev == 1 then
            print("key down", a)
        elseif ev == 3 then
            print("click", a, b, "button", c)
        end
        ev, a, b, c = z.input()
    end

    z.flip()
    local _, fps = z.timer(60)
    if fps ~= last_fps then
        print("fps", fps)
        last_fps = fps
    end
    frames_left = frames_left - 1
end

z.quit()
