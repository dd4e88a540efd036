-- A small game loop driven from outside by xdotool. It prints "ready" once its
-- window is open, then one line per event and per change of the state it
-- watches, and quits on Escape. arg[1] picks the window: "gl" for OpenGL,
-- "full" for full screen.
local z = require "zedodava"
local mode = arg[1] or "plain"
z.init(320, 240, mode == "full", mode == "gl")

local watched = {97, 273, 274, 275, 276}
local held = {}
local last_mouse = ""
local frames = 0
while true do
    local ev, a, b, c = z.input()
    while ev ~= 0 do
        if ev <= 2 then print("event", ev, a) else print("event", ev, a, b, c) end
        if ev == 2 and a == 27 then
            z.quit()
            return
        end
        ev, a, b, c = z.input()
    end
    for _, k in ipairs(watched) do
        local down = z.isKeyDown(k)
        if down ~= (held[k] or false) then
            print("held", k, down)
            held[k] = down
        end
    end
    local x, y, left = z.mouse(1)
    local _, _, right = z.mouse(3)
    local m = string.format("mouse %d %d %s %s", x, y, tostring(left), tostring(right))
    -- The first frame takes the starting state silently, then says so.
    if frames == 0 then
        print("ready")
    elseif m ~= last_mouse then
        print(m)
    end
    last_mouse = m
    io.flush()
    z.flip()
    z.timer(100)
    frames = frames + 1
    if frames > 3000 then print("timed out") return end
end
