-- The first game of README.md as printed there, Escape pressed after 30 frames.
local z = require "zedodava"
local f = assert(io.open((arg[0]:match("^(.*/)") or "./") .. "../../README.md"))
local code = assert(f:read("*a"):match("## A first game.-```lua\n(.-)```"), "no game in README.md")
local input, flip, frames, pressed = z.input, z.flip, 0, false
z.flip = function() frames = frames + 1 flip() end
z.input = function()
    if frames < 30 or pressed then return input() end
    pressed = true
    return 1, 27
end
assert((loadstring or load)(code, "README"))()
assert(frames == 31, frames) -- the frame that saw Escape is finished and shown
