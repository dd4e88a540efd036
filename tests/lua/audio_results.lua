-- What the audio functions hand back, the same under both interpreters.
local z = require "zedodava"
z.init(32, 32)
local wav = os.getenv("ZD_TMP") .. "/beep.wav"
-- os.execute gives 0 on Lua 5.1 and true from 5.2 on.
local made = os.execute("sox -D -n -r 44100 -c 2 -b 16 '" .. wav .. "' synth 0.05 sine 880")
assert(made == 0 or made == true)
local function count(...) return select("#", ...) end
local s, m = z.loadSound(wav), z.loadMusic(wav)
print(type(s), type(m), count(z.playSound(s, 1)), count(z.playMusic(m, 0)),
      count(z.pauseMusic()), count(z.pauseMusic()))
print(z.musicVolume(-1), z.musicVolume(64), z.musicVolume(), z.musicVolume(-1))
print(count(z.freeSound(s)), count(z.freeMusic(m)))
z.quit()
