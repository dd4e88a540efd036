-- No audio device: reported, and the engine runs on silently.
local z = require "zedodava"
local function count(...) return select("#", ...) end
z.init(64, 48)
print(count(z.loadSound("no/such.wav")), count(z.loadMusic("no/such.ogg")))
z.quit()
