-- examples/shapes.lua for 60 frames.
local game = (arg[0]:match("^(.*/)") or "./") .. "../../examples/shapes.lua"
arg = {"--frames", "60"}
dofile(game)
