-- require returns the global table of 32 C functions.
local z = require "zedodava"
assert(type(z) == "table" and z == zedodava)
local n = 0
for name, f in pairs(z) do
    n = n + 1
    assert(type(f) == "function", name)
end
assert(n == 32, n)
assert(require "zedodava" == z)
