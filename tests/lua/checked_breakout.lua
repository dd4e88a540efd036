-- breakout.lua with `require "zedodava"` answered by checked mode, which must
-- raise no false alarm and print what the plain module prints (breakout.out).
local x = require "zedodava.extra"
local z = require "zedodava"
package.loaded.zedodava = require "zedodava.checked"
package.loaded["zedodava.extra"] = require "zedodava.extra.checked"
dofile((arg[0]:match("^(.*/)") or "./") .. "breakout.lua")
