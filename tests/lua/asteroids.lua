-- examples/asteroids.lua for 300 frames.
local game = (arg[0]:match("^(.*/)") or "./") .. "../../examples/asteroids.lua"
arg = {"--frames", "300"}
dofile(game)
