-- Text and sound: a ball bounces in a box, every wall it hits scores a point
-- and plays a blip, and a little tune loops underneath. The sounds are made
-- at start-up as WAV files written by this script, so nothing outside it is
-- needed but the DejaVu fonts.
--
-- Keys: Space pauses or resumes the tune, Up and Down change its volume,
-- Escape quits. "--frames N" stops by itself after N frames.
local z = require "zedodava"

local frames_left = math.huge
for i = 1, #arg do
    if arg[i] == "--frames" then frames_left = tonumber(arg[i + 1]) or 0 end
end

local ESCAPE, SPACE, UP, DOWN = 27, 32, 273, 274
local W, H = 640, 480
local FONTS = "/usr/share/fonts/truetype/dejavu/"

-- Little-endian fields of a RIFF header, built byte by byte.
local function u16(n)
    return string.char(n % 256, math.floor(n / 256) % 256)
end
local function u32(n)
    return u16(n % 65536) .. u16(math.floor(n / 65536) % 65536)
end

-- Writes mono 16-bit samples (each -1..1) at RATE as a WAV file.
local function write_wav(path, rate, samples)
    local bytes = {}
    for i = 1, #samples do
        local v = math.floor(math.max(-1, math.min(1, samples[i])) * 32767 + 0.5)
        bytes[i] = u16(v % 65536)
    end
    local data = table.concat(bytes)
    local f = assert(io.open(path, "wb"))
    f:write("RIFF", u32(36 + #data), "WAVE",
            "fmt ", u32(16), u16(1), u16(1), u32(rate), u32(rate * 2), u16(2), u16(16),
            "data", u32(#data), data)
    f:close()
end

-- A sine note with a quick attack and an exponential decay.
local function note(out, rate, freq, seconds, level)
    local n = math.floor(rate * seconds)
    for i = 0, n - 1 do
        local t = i / rate
        local env = math.min(1, t * 200) * math.exp(-t * 6)
        out[#out + 1] = level * env * math.sin(2 * math.pi * freq * t)
    end
end

z.init(W, H)

local RATE = 22050
local blip_path, tune_path = os.tmpname(), os.tmpname()
local blip = {}
note(blip, RATE, 880, 0.08, 0.6)
write_wav(blip_path, RATE, blip)
local tune = {}
for _, freq in ipairs({262, 330, 392, 523, 392, 330, 294, 349}) do
    note(tune, RATE, freq, 0.25, 0.25)
end
write_wav(tune_path, RATE, tune)

-- Both are nil when the machine has no audio: every call below then does
-- nothing and the demo runs silently.
local blip_sound = z.loadSound(blip_path)
local music = z.loadMusic(tune_path)
os.remove(blip_path) -- the sound is in memory now; the music streams from its file
z.playMusic(music, -1)

local title_font = z.loadFont(FONTS .. "DejaVuSans-Bold.ttf", 36)
local mono, advance = z.loadFont(FONTS .. "DejaVuSansMono.ttf", 20)
local small = z.loadFont(FONTS .. "DejaVuSans.ttf", 14)

-- The title never changes: render it once and blit it every frame.
local title, title_w = z.printFont(title_font, "Bounce & Blip", 255, 220, 120, 0, 0, nil, true)

local score, volume, paused = 0, z.musicVolume(-1), false
local bx, by, vx, vy, size = 300, 240, 4, 3, 16
local top = 80

local running = true
while running and frames_left > 0 do
    local ev, a = z.input()
    while ev ~= 0 do
        if ev == 1 and a == ESCAPE then
            running = false
        elseif ev == 1 and a == SPACE then
            z.pauseMusic()
            paused = not paused
        elseif ev == 1 and (a == UP or a == DOWN) and volume then
            local new = math.max(0, math.min(128, volume + (a == UP and 16 or -16)))
            z.musicVolume(new)
            volume = new
        end
        ev, a = z.input()
    end

    bx, by = bx + vx, by + vy
    local hit = false
    if bx < 0 or bx + size > W then vx, bx, hit = -vx, math.max(0, math.min(W - size, bx)), true end
    if by < top or by + size > H then vy, by, hit = -vy, math.max(top, math.min(H - size, by)), true end
    if hit then
        score = score + 1
        z.playSound(blip_sound, 0)
    end

    z.fill(0, 0, W, H, 16, 24, 48, 255)
    z.fill(0, top - 4, W, 2, 90, 110, 160, 255)
    if title then z.blit(title, math.floor((W - title_w) / 2), 12) end
    -- Right-aligned with the fixed-width face: every digit is one advance wide.
    local text = string.format("Score %6d", score)
    z.printFont(mono, text, 255, 255, 255, W - 16 - #text * advance, top + 8)
    local status = volume and string.format("music %s, volume %d", paused and "paused" or "playing", volume)
        or "no audio device: running silently"
    z.printFont(small, status .. "   Space pause, Up/Down volume, Esc quit",
                180, 190, 210, 16, H - 24)
    z.fill(bx, by, size, size, 255, 120, 60, 255)

    z.flip()
    z.timer(60)
    frames_left = frames_left - 1
end

z.freeSurf(title)
z.freeFont(title_font)
z.freeFont(mono)
z.freeFont(small)
z.freeSound(blip_sound)
z.freeMusic(music)
z.quit()
os.remove(tune_path)
