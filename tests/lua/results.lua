-- Whole numbers print as integers on every interpreter.
local z = require "zedodava"
local FONTS = "/usr/share/fonts/truetype/dejavu/DejaVuSans"
z.init(64, 32)
local wav = (os.getenv("ZD_TMP") or "/tmp") .. "/beep.wav"
os.execute("sox -D -n -r 44100 -c 2 -b 16 " .. wav .. " synth 0.05 sine 880")
local s, m = z.loadSound(wav), z.loadMusic(wav)
print(type(s), type(m), z.musicVolume(-1), z.musicVolume(64), z.musicVolume(-1), z.input())
-- the advance of a fixed-width face, 0 for a proportional one; sizes truncate
local _, a0 = z.loadFont(FONTS .. ".ttf", 12)
local mono, a1 = z.loadFont(FONTS .. "Mono.ttf", 12.9)
local t, w, h = z.printFont(mono, "abc", 255, 255, 255, 0, 0, nil, true)
print(a0, a1, type(t), w, h, select(2, z.makeSurf(3, 2)))
z.quit()
