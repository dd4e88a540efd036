-- A game loop for run_e2e.sh to drive: "ready" once open, then each event and
-- each change of the keys and buttons it watches.
local z = require "zedodava"
z.init(320, 240)
local held, last = {}, nil
for frame = 1, 3000 do
    local e = {z.input()}
    while e[1] ~= 0 do
        print("event " .. table.concat(e, " "))
        e = {z.input()}
    end
    for _, k in ipairs{97, 273, 274, 275, 276} do
        if z.isKeyDown(k) ~= (held[k] or false) then
            held[k] = z.isKeyDown(k)
            print("held " .. k .. " " .. tostring(held[k]))
        end
    end
    local x, y, left = z.mouse(1)
    local m = string.format("mouse %d %d %s %s", x, y, tostring(left), tostring(select(3, z.mouse(3))))
    if frame == 1 then print("ready") elseif m ~= last then print(m) end
    last = m
    io.flush()
    z.flip()
    z.timer(100)
end
