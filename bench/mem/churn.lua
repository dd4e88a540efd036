-- Loads and frees every kind of resource over and over and samples the
-- resident set size as it goes: a module that leaked even a few bytes per
-- load would grow without end. Each round loads an image, makes a surface,
-- renders a kept text surface, opens a font, loads a sound (and plays it)
-- and opens music, then frees them all.
--
-- usage: churn.lua IMAGE FONT SOUND [ROUNDS [EVERY [leak]]]
-- With "leak" the made surfaces are not freed: the control run that shows
-- the sampling sees a leak of 16 KiB a round.
-- prints "churn ROUND RSS_KIB" every EVERY rounds (and after round 0), then
-- "churn_growth KIB" (the last sample minus the first sample after the
-- warm-up tenth of the rounds) and "churn_spread KIB" (highest minus lowest
-- sample after the warm-up).
local z = require "zedodava"

local image, fontfile, sound = arg[1], arg[2], arg[3]
local rounds = tonumber(arg[4]) or 10000
local every = tonumber(arg[5]) or 500
local leak = arg[6] == "leak"
assert(image and fontfile and sound, "usage: churn.lua IMAGE FONT SOUND [ROUNDS [EVERY [leak]]]")

local function rss_kib()
    local f = assert(io.open("/proc/self/statm"))
    local _, resident = f:read("*n", "*n")
    f:close()
    return resident * 4 -- pages of 4 KiB
end

z.init(640, 480)
local font = z.loadFont(fontfile, 16)
local samples = {}
local function sample(round)
    collectgarbage()
    local kib = rss_kib()
    samples[#samples + 1] = { round, kib }
    io.write(string.format("churn %d %d\n", round, kib))
    io.flush()
end

sample(0)
for round = 1, rounds do
    local s = z.loadImage(image)
    z.freeSurf(s)
    s = z.makeSurf(64, 64)
    if not leak then z.freeSurf(s) end
    s = z.printFont(font, "Score: 0123456789 ok", 255, 255, 255, 0, 0, nil, true)
    z.freeSurf(s)
    local f = z.loadFont(fontfile, 16)
    z.freeFont(f)
    local snd = z.loadSound(sound)
    z.playSound(snd, 0)
    z.freeSound(snd)
    local mus = z.loadMusic(sound)
    z.freeMusic(mus)
    if round % every == 0 then sample(round) end
end
z.freeFont(font)

local warm = rounds / 10
local first, low, high
for _, s in ipairs(samples) do
    if s[1] >= warm then
        first = first or s[2]
        low = math.min(low or s[2], s[2])
        high = math.max(high or s[2], s[2])
    end
end
first = first or samples[#samples][2]
io.write(string.format("churn_growth %d\n", samples[#samples][2] - first))
io.write(string.format("churn_spread %d\n", (high or first) - (low or first)))
z.quit()
