-- Exercises every function of the module, loading and freeing every kind of
-- resource many times, through both start-up paths, so that a leak checker
-- can tell whether anything the module owns is lost.
local z = require "zedodava"
local dir = os.getenv("ZD_TMP")
local FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
local MONO = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
local wav, ogg, png = dir .. "/beep.wav", dir .. "/tune.ogg", dir .. "/sprite.png"
assert(os.execute("sox -D -n -r 44100 -c 2 -b 16 " .. wav .. " synth 0.02 sine 880"))
assert(os.execute("sox -D -n -r 44100 -c 2 " .. ogg .. " synth 0.05 sine 440"))
assert(os.execute("convert -size 16x8 xc:red " .. png))

local function graphics_round()
    local s = z.makeSurf(32, 32)
    local img = z.loadImage(png)
    z.fill(0, 0, 0, 0, 10, 20, 30, 255)
    z.fill(1, 1, 8, 8, 255, 0, 0, 255, s)
    z.putpix(2, 2, 0, 255, 0, 255, s)
    z.putpix(5, 5, 0, 0, 255, 255)
    for kind = 0, 2 do
        for style = 0, 2 do z.draw(4, 4, 20, 12, 1, 2, 3, 200, kind, style, s) end
    end
    for style = 0, 2 do z.drawTri(1, 1, 30, 2, 15, 30, 9, 8, 7, 128, style, s) end
    z.blit(s, 10, 10)
    z.blit(img, 50, 50, s)
    local f = z.loadFont(FONT, 14)
    z.printFont(f, "Score: 12", 255, 255, 0, 5, 5)
    z.printFont(f, "Score: 12", 255, 255, 0, 5, 5, s)
    -- Text cut inside a UTF-8 sequence must not be read past its end.
    for _, cut in ipairs{"\255\254", "ab\226\130", "\240", "x\195"} do
        z.printFont(f, cut, 255, 255, 255, 0, 0)
        local h = z.printFont(f, cut, 255, 255, 255, 0, 0, nil, true)
        if h then z.freeSurf(h) end
    end
    local t = z.printFont(f, "kept", 1, 2, 3, 0, 0, nil, true)
    z.blit(t, 0, 0)
    z.freeSurf(t)
    z.freeFont(f)
    local snd, mus = z.loadSound(wav), z.loadMusic(ogg)
    z.playSound(snd, 0)
    z.playMusic(mus, 0)
    z.pauseMusic()
    z.pauseMusic()
    z.musicVolume(64)
    z.freeSound(snd)
    z.freeMusic(mus)
    z.freeSurf(img)
    z.freeSurf(s)
    z.input()
    z.mouse(1)
    z.isKeyDown(27)
    z.showCursor(true)
    z.flip()
    z.timer()
end

z.init(160, 120)
for _ = 1, 30 do graphics_round() end
z.quit()

for round = 1, 3 do
    z.curses_init(20, 6, MONO, 12)
    z.curses_fill(0, 0, 20, 6, "#", 255, 255, 255, 0, 0, 0)
    z.curses_addch("@", 3, 2)
    z.curses_setcol(3, 2, 255, 0, 0)
    z.curses_refresh()
    z.flip()
    if round == 2 then
        -- A second start-up over a live console replaces it.
        z.curses_init(10, 4, MONO, 10)
        z.curses_refresh()
    end
    graphics_round()
    z.quit()
end
print("exercised")
