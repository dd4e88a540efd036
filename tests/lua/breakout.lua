-- examples/breakout.lua for 200 frames.
local game = (arg[0]:match("^(.*/)") or "./") .. "../../examples/breakout.lua"
arg = {"--frames", "200"}
dofile(game)
