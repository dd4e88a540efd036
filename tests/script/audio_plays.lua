-- Sound and music through a real mixer whose output the disk driver writes
-- to a file (run with SDL_DISKAUDIODELAY=10 and SDL_DISKAUDIOFILE=$ZD_TMP/audio,
-- as tests/CMakeLists.txt does); the click is made at the mixer's rate and
-- layout, so it reaches the output sample for sample.
dofile((arg[0]:match("^(.*/)") or "./") .. "prelude.lua")
CLICK, OUT = TMP .. "/click.wav", os.getenv("SDL_DISKAUDIOFILE")
os.execute("sox -D -n -r 44100 -c 2 -b 16 " .. CLICK .. " synth 0.005 sine 1000 pad 0 0.045")
-- 10 x the loud frames (a sample above 1000), plus the runs of them
-- parted by 200 quiet frames
local function loud(path)
    local f = assert(io.open(path, "rb"))
    local b = f:read("*a"):gsub("^RIFF.-data....", "")
    f:close()
    local n, runs, quiet = 0, 0, 200
    for i = 1, #b - 3, 4 do
        local l, r = b:byte(i) + 256 * b:byte(i + 1), b:byte(i + 2) + 256 * b:byte(i + 3)
        if math.min(l, 65536 - l) > 1000 or math.min(r, 65536 - r) > 1000 then
            n, runs, quiet = n + 1, runs + (quiet >= 200 and 1 or 0), 0
        else
            quiet = quiet + 1
        end
    end
    return n * 10 + runs
end
-- Both count the repeats after the first play, but music plays once for 1 as for 0.
for _, r in ipairs{{"Sound(H)", 1}, {"Sound(H, 2)", 3}, {"Sound(H, 2.9)", 3},
                   {"Sound(H, '1')", 2}, {"Music(H, 1)", 1}, {"Music(H, 2)", 3}} do
    Z.init(32, 32)
    H = Z["load" .. r[1]:sub(1, 5)](CLICK)
    assert(select("#", call("play" .. r[1])) == 0)
    for _ = 1, 3000 do -- until nothing plays (a bound met only by a fault)
        if mixer() + select(2, mixer()) == 0 then break end
        os.execute("sleep 0.01")
    end
    Z["free" .. r[1]:sub(1, 5)](H) Z.quit()
    assert(loud(OUT) == r[2] * loud(CLICK), r[1] .. ": " .. loud(OUT))
end
-- Endless loops, two pauses, the volume (the one before is returned;
-- -1 only reads, absent is 0), and frees.
Z.init(32, 32) S, M = Z.loadSound(CLICK), Z.loadMusic(CLICK)
Z.playSound(S, -1) Z.playMusic(M, -1)
for _, paused in ipairs{1, 0, 1, 0} do
    assert(select("#", Z.pauseMusic()) == 0 and select(2, mixer()) == 1 and select(3, mixer()) == paused)
end
for _, r in ipairs{{"-1", 128, 128}, {"64", 128, 64}, {"", 64, 0}, {"200", 0, 128},
                   {"64.9", 128, 64}, {"'32'", 64, 32}, {"-5", 32, 32}, {"128", 32, 128}} do
    assert(call("musicVolume(" .. r[1] .. ")") == r[2] and select(4, mixer()) == r[3], r[1])
end
assert(mixer() == 1)
Z.freeSound(S) Z.freeMusic(M)
assert(mixer() + select(2, mixer()) == 0)
