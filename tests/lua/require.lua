-- What require gives: the two tables, the key codes.
local x = require "zedodava.extra" -- before the module that serves it
local z = require "zedodava"
local keys, n = require "zedodava.keys", 0
for _ in pairs(z) do n = n + 1 end
assert(n == 32 and require "zedodava" == z and zedodava == z and require "zedodava.extra" == x)
assert(x.probe and not x.init and not z.probe)
assert(keys.escape == 27 and keys["return"] == 13 and keys.left == 276 and keys.f1 == 282)
assert(keys.button.right == 3 and keys.button.wheeldown == 5 and keys.event.mouseup == 4)
