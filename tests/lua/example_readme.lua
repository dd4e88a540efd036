-- The first game in README.md runs as printed there: its code is read from
-- the file and run headless, with Escape pressed for it after 30 frames.
local f = assert(io.open(os.getenv("ZD_TESTS") .. "/../README.md"))
local readme = f:read("*a")
f:close()
local code = assert(readme:match("## A first game.-```lua\n(.-)```"), "no game in README.md")

local z = require "zedodava"
local input, flip, frames, pressed = z.input, z.flip, 0, false
z.flip = function() frames = frames + 1; flip() end
z.input = function()
    local ev, a, b, c = input()
    if ev == 0 and frames >= 30 and not pressed then
        pressed = true
        return 1, 27
    end
    return ev, a, b, c
end
assert((loadstring or load)(code, "README"))()
assert(frames == 31, frames) -- the frame that saw Escape is finished and shown
