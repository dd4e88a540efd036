-- zedodava.extra's stops and fades in every order with pause, then frees and
-- plays: nothing hangs, and each ends the sound it should.
dofile((arg[0]:match("^(.*/)") or "./") .. "prelude.lua")
BEEP = TMP .. "/beep.wav"
os.execute("sox -n -r 44100 -c 2 -b 16 " .. BEEP .. " synth 0.3 sine 440")
Z.init(8, 8) S, M = Z.loadSound(BEEP), Z.loadMusic(BEEP)
Z.playSound(S, -1) Z.playSound(S, -1) assert(mixer() == 2) X.stopSounds() assert(mixer() == 0)
assert(X.soundVolume(S, 64) == 128 and X.soundVolume(S, 500) == 64 and X.soundVolume(S, -1) == 128)
for _, steps in ipairs{"stopMusic", "fadeMusic0", "pauseMusic fadeMusic50000", "fadeMusic50000 pauseMusic playMusic",
                       "fadeMusic50000 pauseMusic freeMusic", "fadeMusic50000 pauseMusic quit"} do
    Z.init(8, 8) M = M or Z.loadMusic(BEEP) Z.playMusic(M, -1)
    for name, ms in steps:gmatch("(%a+)(%d*)") do
        if ms ~= "" then X[name](tonumber(ms)) else (X[name] or Z[name])(M, -1) end
    end
    assert(steps:find("quit") or select(2, mixer()) == (steps:find("play") and 1 or 0), steps)
    if steps:find("free") or steps:find("quit") then M = nil end
end
