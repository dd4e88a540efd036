-- Checked mode, one row per call: the error it must raise at the script's
-- own line, or nil for a legitimate call that must pass (and reach the
-- module: the banners in the .out file show which did). Rows run in order,
-- so init, quit and the loads set the stage for the rows after them. Every
-- row gives the same outcome with a sound card and without (case checked_mute).
local x = require "zedodava.extra.checked" -- before the checked module that builds it
local z = require "zedodava.checked"
local keys = require "zedodava.keys"
local TMP, FONT = os.getenv("ZD_TMP"), "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
-- Files that exist but do not decode: sox's 32-bit float WAV, FLAC (music,
-- not a sound effect), a PNG cut short in its image data, text named .ttf.
os.execute(("cd %s && sox -D -n -r 22050 -c 1 -b 16 s.wav synth 0.05 sine 440 && sox -D -n -e floating-point "
    .. "f32.wav synth 0.05 sine 440 && sox -D -n s.flac synth 0.05 sine 440 && convert -size 64x64 "
    .. "gradient:red-blue -strip PNG24:- | head -c 100 >cut.png && echo text >text.ttf"):format(TMP))
local function arg(n, fn, msg) return ("bad argument #%d to '%s' (%s)"):format(n, fn, msg) end
local SHAPES = "; the kind,style pairs are 0,0 0,1 1,0 1,2 2,0 2,1 2,2"
local DRAW = "; draw takes x1, y1, x2, y2, r, g, b, a, kind, style, target"
local function nodisplay(fn, why)
    return ("'%s' found no display: %s; set DISPLAY to a running X server, or SDL_VIDEODRIVER=dummy to run "
        .. "without one"):format(fn, why)
end
local TEXT = ", and SDL would draw the game as text in the terminal"
local function noload(fn, n, file, as, why) return arg(n, fn, ("cannot load '%s/%s' as %s: %s"):format(TMP, file, as, why)) end
local SOX = "; sox converts it: sox FILE -b 16 NEW.wav"
-- setenv{ NAME = value or false } changes what checked mode reads for the rest of a row.
local getenv = os.getenv
local function setenv(t)
    os.getenv = function(k) if t[k] ~= nil then return t[k] or nil end return getenv(k) end
end

local cases = {
    { "z.fill(0, 0, 0, 0, 0, 0, 0, 255)", "'fill' called before init or curses_init" },
    { "z.loadSound(TMP .. '/s.wav')", "'loadSound' called before init or curses_init" },
    { "z.curses_addch('a', 0, 0)", "'curses_addch' called before curses_init" },
    { "z.timer()" },
    { "x.getpix(0, 0)", "'getpix' called before init or curses_init" },
    { "x.drivers() x.typed() x.catchClose(false) x.saveImage(nil, TMP .. '/s.png') x.probe(FONT, 'font')" },
    { "setenv{ SDL_VIDEODRIVER = false, DISPLAY = false } z.init(64, 48)", nodisplay("init", "DISPLAY is not set" .. TEXT) },
    { "setenv{ SDL_VIDEODRIVER = '', DISPLAY = ':31999.0' } z.curses_init(20, 10, FONT, 12)",
      nodisplay("curses_init", "no X server listens on DISPLAY=:31999.0" .. TEXT) },
    { "setenv{ SDL_VIDEODRIVER = false, DISPLAY = 'localhost:31999' } z.init(64, 48)",
      nodisplay("init", "SDL fell back to its 'dummy' video driver, as no X server answered on DISPLAY=localhost:31999") },
    { "z:init(64, 48)", "'init' called with a colon: call it with a dot, z.init(...)" },
    { "z.init(0, 48)", arg(1, "init", "w must be 1..32767, got 0") },
    { "z.init(64, 48, 0)", arg(3, "init", "boolean expected, got number") },
    { "z.init(64.9, '48')" },
    { "z:flip()", "'flip' called with a colon: call it with a dot, z.flip(...)" },
    { "z.curses_refresh()", "'curses_refresh' needs the console: call curses_init first" },
    { "s = z.makeSurf(8, 8) f = z.loadFont(FONT, 12.5)" },
    { "snd = z.loadSound(TMP .. '/s.wav') mus = z.loadMusic(TMP .. '/s.wav')" },
    { "z.fill(0, 0, 0, 0, 'red', 0, 0, 255)", arg(5, "fill", "number expected, got string") },
    { "z.fill(0, 0, 8, 8, {255, 0, 0}, 0, 0, 255)", arg(5, "fill", "number expected, got table") },
    { "z.fill(0, 0, -5, 8, 0, 0, 0, 255)", arg(3, "fill", "w must be 0..65535, got -5") },
    { "z.fill(0, 0, 8, 8, 256, 0, 0, 255)", arg(5, "fill", "r must be 0..255, got 256") },
    { "z.fill(0, 0, 8, 8, 0, -1, 0, 255)", arg(6, "fill", "g must be 0..255, got -1") },
    { "z.fill(-3.5, 0, 0.5, 0, 255.9, -0.5, 0, 255, s) z.fill(0, 0, 0, 0, 1, 2, 3, 4, nil)" },
    { "z.fill(0, 0, 0, 0, 0, 0, 0, 255, f)", arg(9, "fill", "surface expected, got font") },
    { "z.blit(10, 10, s)", arg(1, "blit", "surface expected, got number") },
    { "z.blit(nil, 0, 0)", arg(1, "blit", "src missing; blit takes src, x, y, target (printFont with keep gives nil for an empty text)") },
    { "z.blit(s, 700, -20) z.blit(s, -4, -4, s)" },
    { "z.printFont('hello', f, 255, 255, 255, 0, 0)", arg(1, "printFont", "font expected, got string") },
    { "z.printFont(f, 'hi', 255, 255, 255, 255, 10, 10)", arg(8, "printFont", "surface expected, got number") },
    { "z.printFont(f, 'hi', 1, 2, 3, 4, 5, nil, false, 1)", arg(10, "printFont", "at most 9 arguments expected") },
    { "z.printFont(f, 42, 255, 255, 255, 0, 0, s) k = z.printFont(f, 'hi', 1, 2, 3, 0, 0, nil, true) z.freeSurf(k)" },
    { "z.printFont(f, 'hi', 1, 2, 3, 4, 5, nil, 0)", arg(9, "printFont", "boolean expected, got number") },
    { "z.loadFont(FONT, 'big')", arg(2, "loadFont", "number expected, got string") },
    { "z.loadFont(FONT, 0.5)", arg(2, "loadFont", "size must be at least 1, got 0.5") },
    { "z.loadImage(TMP .. '/none.png')", arg(1, "loadImage", "cannot read '" .. TMP .. "/none.png': No such file or directory") },
    { "z.loadFont(TMP, 12)", arg(1, "loadFont", "cannot read '" .. TMP .. "': Is a directory") },
    { "z.loadSound(TMP .. '/none.wav')", arg(1, "loadSound", "cannot read '" .. TMP .. "/none.wav': No such file or directory") },
    { "z.loadMusic(TMP)", arg(1, "loadMusic", "cannot read '" .. TMP .. "': Is a directory") },
    { "z.loadSound(TMP .. '/f32.wav')", noload("loadSound", 1, "f32.wav", "a sound", "Unknown WAVE data format: 0x0003" .. SOX) },
    { "z.loadSound(TMP .. '/s.flac')", noload("loadSound", 1, "s.flac", "a sound", "Unable to process FLAC file." .. SOX) },
    { "z.loadMusic(TMP .. '/text.ttf')", noload("loadMusic", 1, "text.ttf", "music", "Couldn't read from RWops") },
    { "z.loadImage(TMP .. '/cut.png')", noload("loadImage", 1, "cut.png", "an image", "Error reading the PNG file.") },
    { "z.loadFont(TMP .. '/text.ttf', 12)", noload("loadFont", 1, "text.ttf", "a font", "Couldn't load font file") },
    { "z.loadImage(42)", arg(1, "loadImage", "string expected, got number") },
    { "z.draw(0, 0, 9, 9, 255, 255, 255, 255, 1, 1)", arg(10, "draw", "no shape has kind 1 and style 1" .. SHAPES) },
    { "z.draw(0, 0, 9, 9, 255, 255, 255, 255, 0, 2)", arg(10, "draw", "no shape has kind 0 and style 2" .. SHAPES) },
    { "z.draw(0, 0, 9, 9, 255, 255, 255, 255, 3, 0)", arg(9, "draw", "kind must be 0..2, got 3") },
    { "z.draw(5, 5, -3, 0, 1, 2, 3, 4, 2, 0)", arg(3, "draw", "radius must be at least 0, got -3") },
    { "z.draw(0, 0, 9, nil, 1, 2, 3, 4, 0, 0)", arg(4, "draw", "y2 missing" .. DRAW) },
    { "z.draw(0, 0, 9, 9, 255, 255, 255, 1, 1)", arg(10, "draw", "style missing" .. DRAW) },
    { "z.draw(5, 5, 3, nil, 1, 2, 3, 4, 2.9, 1.5, s) z.draw(0, 0, 9, 9, 1, 2, 3, 4, 1, 2) z.draw(0, 0, 9, 9, 1, 2, 3, 4, 0, 1)" },
    { "z.drawTri(0, 0, 9, 0, 0, 9, 1, 2, 3, 4, 3)", arg(11, "drawTri", "style must be 0..2, got 3") },
    { "z.drawTri(0, 0, 9, 0, 0, 9, 1, 2, 3, 4, 2, s)" },
    { "z.putpix(0/0, 0, 1, 2, 3, 4)", arg(1, "putpix", "finite number expected, got nan") },
    { "z.putpix(40000, 0, 1, 2, 3, 4)", arg(1, "putpix", "x must be -32768..32767, got 40000") },
    { "z.putpix(-1, 99, 1, 2, 3, 4, s) z.putpix(2.9, 3.9, 1, 2, 3, 4)" },
    { "z.isKeyDown(keys.escape) z.mouse() z.showCursor(true) z.input() z.flip()" },
    { "z.isKeyDown(nil)", arg(1, "isKeyDown", "key missing") },
    { "z.isKeyDown(keys.enter)", "unknown key 'enter' (did you mean 'return' or 'kp_enter'?)" },
    { "z.isKeyDown(keys.ctrl)", "unknown key 'ctrl' (did you mean 'lctrl' or 'rctrl'?)" },
    { "z.mouse(keys.button.lft)", "unknown button 'lft' (did you mean 'left'?)" },
    { "assert(keys.name(keys['return']) == 'return' and keys.name(999) == nil)" },
    { "z.mouse(keys.left)", arg(1, "mouse", "button must be 0..8, got 276") },
    { "z.musicVolume()", arg(1, "musicVolume", "volume missing: pass -1 to read the volume (nil sets it to 0, muting the music)") },
    { "z.musicVolume(255)", arg(1, "musicVolume", "volume must be -1..128, got 255") },
    { "z.playSound(s, 0)", arg(1, "playSound", "sound expected, got surface") },
    { "z.playSound(snd, 'twice')", arg(2, "playSound", "number expected, got string") },
    { "z.playSound(snd, 1/0)", arg(2, "playSound", "finite number expected, got inf") },
    { "z.playSound(snd, 0) z.playMusic(mus, -1) z.pauseMusic() z.musicVolume(-1) z.freeSound(snd) z.freeMusic(mus)" },
    { "z.flip(s)", arg(1, "flip", "no arguments expected") },
    { "k = z.printFont(f, '', 1, 2, 3, 0, 0, nil, true) z.freeSurf(k) z.freeFont(nil) z.freeSound(nil) z.freeMusic(nil)" },
    { "t = x.transform(s, 45, 2) x.blitPart(t, 0, 0, 4, 4, 1, 1, s) x.blitScaled(t, 0, 0, 3, 3) z.freeSurf(t)" },
    { "x.blitAlpha(s, 0, 0, 300)", arg(4, "blitAlpha", "opacity must be 0..255, got 300") },
    { "x.blitPart(t, 0, 0, 4, 4, 1, 1)", arg(1, "blitPart", "surface expected, got freed surface") },
    { "z.freeSurf(s) z.freeSurf(s)", arg(1, "freeSurf", "surface expected, got freed surface") },
    { "z.quit()" },
    { "z.printFont(f, 'x', 1, 2, 3, 0, 0)", "'printFont' called after quit" },
    { "z.freeFont(f)", arg(1, "freeFont", "font expected, got font released by quit") },
    { "z.curses_init(20, 10, FONT, 0)", arg(4, "curses_init", "size must be at least 1, got 0") },
    { "z.curses_init(20, 10, TMP .. '/none.ttf', 12)", arg(3, "curses_init", "cannot read '" .. TMP .. "/none.ttf': No such file or directory") },
    { "z.curses_init(20, 10, TMP .. '/text.ttf', 12)", noload("curses_init", 3, "text.ttf", "a font", "Couldn't load font file") },
    { "z.curses_init(20, 10, FONT, 12)" },
    { "z.curses_setcol(0, 0, 'red')", arg(3, "curses_setcol", "number expected, got string") },
    { "z.curses_setcol(0, 0, 300)", arg(3, "curses_setcol", "fr must be at most 255, got 300") },
    { "z.curses_fill(0, 0, 3, 3, '#', 255, 255)", arg(8, "curses_fill", "foreground needs all three channels or none") },
    { "z.curses_fill(0, 0, 3, 3, '#', -1, -1, -1, 0, nil, 0)", arg(10, "curses_fill", "background needs all three channels or none") },
    { "z.curses_fill(0, 0, 3, 3, '#', nil, nil, nil, 7)", arg(10, "curses_fill", "background needs all three channels or none") },
    { "z.curses_fill(0, 0, -1, 1, 'x')", arg(3, "curses_fill", "w must be at least 0, got -1") },
    { "z.curses_addch(nil, 0, 0)", arg(1, "curses_addch", "ch missing; curses_addch takes ch, x, y") },
    { "z.curses_fill(-2, -2, 50, 50, nil, 1, 2, 3) z.curses_setcol(0, 0, 255) z.curses_addch(7, 99, 0) z.curses_refresh()" },
    { "z.quit()" },
}

local env = setmetatable({ z = z, x = x, keys = keys, TMP = TMP, FONT = FONT, setenv = setenv }, { __index = _G })
local failed = 0
for _, row in ipairs(cases) do
    local chunk = setfenv and setfenv(assert(loadstring(row[1], "=case")), env) or assert(load(row[1], "=case", "t", env))
    local ok, err = pcall(chunk)
    os.getenv = getenv
    local want = row[2] and "case:1: " .. row[2]
    if (not ok and tostring(err) or nil) ~= want then
        io.stderr:write(("%s\n  raised: %s\n  wanted: %s\n"):format(row[1], ok and "nothing" or tostring(err), tostring(want)))
        failed = failed + 1
    end
end
assert(failed == 0, failed .. " rows failed")
