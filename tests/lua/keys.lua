-- The key-name table matches the codes input returns; the module keeps its 32 functions.
local keys = require "zedodava.keys"
local z = require "zedodava"
local want = {escape = 27, space = 32, ["return"] = 13, a = 97, z = 122, ["0"] = 48,
              up = 273, down = 274, right = 275, left = 276, f1 = 282, lshift = 304}
for name, code in pairs(want) do assert(keys[name] == code, name) end
assert(keys.button.left == 1 and keys.button.right == 3 and keys.button.wheeldown == 5)
assert(keys.event.none == 0 and keys.event.mouseup == 4)
local n = 0
for _ in pairs(z) do n = n + 1 end
assert(n == 32)
