-- Each fatal line: the call (after start-up), the line it prints last and
-- the status 1 it ends with. Each row runs in a process of its own: this
-- file again, with the row's number as its argument.
dofile((arg[0]:match("^(.*/)") or "./") .. "prelude.lua")
local notes = TMP .. "/notes.txt"
local rows = {
    {"Z.loadImage('/no/such/sprite.png')", "load image /no/such/sprite.png. Exiting."},
    {"Z.loadImage(nil)", "load image (null). Exiting."},
    {"Z.loadImage('/dev/null')", "load image /dev/null. Exiting."},
    {"Z.quit() Z.loadImage(NOTES)", "load image " .. notes .. ". Exiting."},
    {"Z.loadFont('no/such/font.ttf', 12)", "load font no/such/font.ttf. Exiting."},
    {"Z.loadFont({}, 12)", "load font (null). Exiting."},
    {"Z.loadSound('no/such/boom 100%.wav')", "load sound no/such/boom 100%.wav. Exiting."},
    {"Z.loadSound(NOTES)", "load sound " .. notes .. ". Exiting."},
    {"Z.loadSound()", "load sound (null). Exiting."},
    {"Z.loadMusic(NOTES)", "load music " .. notes .. ". Exiting."},
    {"Z.loadMusic('/tmp')", "load music /tmp. Exiting."},
    {"Z.loadMusic(nil)", "load music (null). Exiting."},
    {"Z.makeSurf(1e6, 1e6)", "create surface. Exiting."},
    {"Z.makeSurf(3, 2) Z.makeSurf(10, -1)", "create surface. Exiting."},
    {"Z.quit() Z.makeSurf(8, 8)", "create surface. Exiting."},
    -- Grids the cells' 16-bit rectangles cannot hold open no window.
    {"Z.curses_init(0, 25, MONO, 16)", "set 0x475 video mode: Invalid width or height"},
    {"Z.curses_init(-3, -5, MONO, 16)", "set -30x-95 video mode: Invalid width or height"},
    {"Z.curses_init(32768, 1, MONO, 1)", "set 32768x2 video mode: Invalid width or height"},
    {"Z.curses_init(1, 2000, MONO, 16)", "set 10x38000 video mode: Invalid width or height"},
    {"Z.curses_init(2147483647, 2147483647, MONO, 16)",
     "set 21474836470x40802189293 video mode: Invalid width or height"},
    {"Z.curses_init(80, 25)", "load font: SDL_RWFromFile(): No file or no mode specified"},
}
if arg[1] then
    NOTES = notes
    Z.init(32, 32)
    assert((loadstring or load)(rows[tonumber(arg[1])][1]))()
    return
end
assert(io.open(notes, "w")):write("not a sound\n")
for i, r in ipairs(rows) do
    local child = io.popen(("%q %q %d 2>/dev/null; echo status $?"):format(arg[-1], arg[0], i))
    local out, want = "\n" .. child:read("*a"), "\nCouldn't " .. r[2] .. "\nstatus 1\n"
    child:close()
    assert(out:sub(-#want) == want, r[1] .. ":" .. out)
end
