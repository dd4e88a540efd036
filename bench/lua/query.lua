-- The per-call floor: one trivial state query.
local z = require "zedodava"
local bench = require "bench"

z.init(640, 480)
local isKeyDown = z.isKeyDown
bench.report("isKeyDown", 2000000, function(n)
    for i = 1, n do isKeyDown(i % 256) end
end)
