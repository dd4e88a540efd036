-- Frames made of every answer of the player and the clock. "mistake": checked mode refuses a call; "steady": one left out.
local z, mode = require "zedodava", ...
print(arg[0], mode, io.open("main.lua") ~= nil, z == zedodava, os.getenv("SDL_VIDEODRIVER"), os.getenv("SDL_AUDIODRIVER"))
z.init(80, 60)
local x = 0
for frame = 1, 40 do
    local ev, a = z.input()
    while ev ~= 0 do x, ev, a = x + a, z.input() end
    if mode ~= "steady" and z.isKeyDown(275) then x = x + 1 end
    local mx, my = z.mouse(1)
    local dt, _, ticks = z.timer(60)
    local r = math.random(255)
    if mode == "mistake" then z.fill(0, 0, 8, 8, "red") end
    z.fill(0, 0, 0, 0, r, x % 256, ticks % 256, 255)
    z.fill(x % 80, mx % 60, 8, my % 8 + 1, 255 - r, 255, 255, 255)
    print(frame, x, r, ("%.17g"):format(dt), ticks, os.time(), os.clock(), os.date())
    z.flip()
end
z.quit()
