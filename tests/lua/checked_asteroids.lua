-- asteroids.lua under checked mode: no false alarm, and what the plain module prints (asteroids.out).
package.loaded.zedodava = require "zedodava.checked"
package.loaded["zedodava.extra"] = require "zedodava.extra.checked"
dofile((arg[0]:match("^(.*/)") or "./") .. "asteroids.lua")
