-- env: SDL_AUDIODRIVER=no-such-driver
-- Without a mixer every audio function is silent: loads of missing files
-- return nothing and print nothing, and the script runs on.
local z = require "zedodava"
z.init(32, 32)
local function count(...) return select("#", ...) end
print(count(z.loadSound("no/such/sound.wav")), count(z.loadMusic("no/such/music.ogg")),
      count(z.musicVolume(64)), count(z.musicVolume(-1)))
local s, m = z.loadSound("no/such/sound.wav"), z.loadMusic("no/such/music.ogg")
z.playSound(s, 2)
z.playMusic(m, -1)
z.pauseMusic()
z.freeSound(s)
z.freeMusic(m)
print("still running")
z.quit()
