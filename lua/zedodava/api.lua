-- The 32 functions of zedodava as data: each one's parameters with their
-- types, the values they may take and what they mean, and its results.
-- Checked mode (zedodava.checked) builds its checks from this table, and
-- tools/gen-meta.lua writes the editor annotations from it, so the two
-- cannot drift apart.
--
-- A function: name, doc, params, results, and
--   needs    "display" (init or curses_init first) or "console" (curses_init first)
--   starts   "display" or "console"; stops: true (quit)
--   makes    the kind of handle its first result is; frees: the kind it releases
--   rule     a check across parameters (see checked.lua)
-- A parameter: name, type, doc, and
--   number   min and max bound the value after truncation toward zero
--   opt      nil is accepted (booleans always are); for handles nil is the
--            screen (targets), a sound that loaded as nothing (no sound card),
--            or, for every free, nothing to free
--   missing  what checked mode says when a required argument is nil
--   path     a file that must exist and be readable
--   text     a string or a number (drawn as its string form)
local COORD = { -32768, 32767 }

local function num(name, doc, range, opt)
    return { name = name, type = "number", doc = doc, min = range and range[1],
             max = range and range[2], opt = opt }
end
local function coord(name, doc) return num(name, doc, COORD) end
local function channel(name, doc) return num(name, doc, { 0, 255 }) end
-- A console colour channel: nil or negative leaves it as it is.
local function cell_channel(name, doc) return num(name, doc, { nil, 255 }, true) end
local function handle(kind, name, doc, opt) return { name = name, type = kind, doc = doc, opt = opt } end
local function target() return handle("surface", "target", "surface to draw on; nil means the screen", true) end
local function res(name, type, doc, opt) return { name = name, type = type, doc = doc, opt = opt } end

return {
    { name = "init", doc = "Opens the window and starts fonts and sound.", starts = "display",
      params = { num("w", "window width in pixels", { 1, 32767 }), num("h", "window height in pixels", { 1, 32767 }),
                 { name = "fullscreen", type = "boolean", doc = "full screen instead of a window" },
                 { name = "opengl", type = "boolean", doc = "an OpenGL window" } },
      results = {} },
    { name = "quit", doc = "Closes the window and releases fonts, sounds, music and the console.", stops = true,
      params = {}, results = {} },
    { name = "fill", doc = "Fills a rectangle with one colour; a width or height of 0 fills the whole target.",
      needs = "display",
      params = { coord("x", "left edge"), coord("y", "top edge"), num("w", "width; 0 fills the whole target", { 0, 65535 }),
                 num("h", "height; 0 fills the whole target", { 0, 65535 }), channel("r", "red"),
                 channel("g", "green"), channel("b", "blue"), channel("a", "alpha"), target() },
      results = {} },
    { name = "flip", doc = "Shows the frame drawn on the screen.", needs = "display", params = {}, results = {} },
    { name = "input", doc = "The next event: 0 none, 1 key down, 2 key up (then the key code), 3 button down, 4 button up (then x, y, button).",
      needs = "display", params = {},
      results = { res("event", "integer", "event code 0..4"), res("a", "integer", "key code, or x of a button event", true),
                  res("b", "integer", "y of a button event", true), res("c", "integer", "button of a button event", true) } },
    { name = "mouse", doc = "The pointer position and whether one button is held.", needs = "display",
      params = { num("button", "button 1..8 (1 left, 2 middle, 3 right); nil or 0 for the position only", { 0, 8 }, true) },
      results = { res("x", "integer", "pointer x"), res("y", "integer", "pointer y"), res("held", "boolean", "the button is held") } },
    { name = "isKeyDown", doc = "Whether a key is held.", needs = "display",
      params = { num("key", "key code 0..322 (see zedodava.keys)", { 0, 322 }) },
      results = { res("held", "boolean", "the key is held") } },
    { name = "loadImage", doc = "Loads an image file as a surface.", needs = "display", makes = "surface",
      params = { { name = "path", type = "path", doc = "image file" } },
      results = { res("surface", "surface", "the image"), res("w", "integer", "width"), res("h", "integer", "height") } },
    { name = "makeSurf", doc = "Makes a surface (not cleared: fill it first).", needs = "display", makes = "surface",
      params = { num("w", "width in pixels", { 0, 16383 }), num("h", "height in pixels", { 0, 65535 }) },
      results = { res("surface", "surface", "the new surface"), res("w", "integer", "width"), res("h", "integer", "height") } },
    { name = "blit", doc = "Copies a whole surface with its top-left corner at x, y.", needs = "display",
      params = { handle("surface", "src", "surface to copy"), coord("x", "left edge"), coord("y", "top edge"), target() },
      results = {} },
    { name = "freeSurf", doc = "Releases a surface.", frees = "surface",
      params = { handle("surface", "surface", "surface to release; nil does nothing", true) }, results = {} },
    { name = "timer", doc = "Waits for the frame's slot at fps frames per second (none or 0: no wait) and measures the frame.",
      params = { num("fps", "target frames per second; nil, 0 or less paces nothing", nil, true) },
      results = { res("dt", "number", "seconds since the previous call"), res("fps", "number", "calls in the last second"),
                  res("ticks", "integer", "milliseconds since start-up") } },
    { name = "putpix", doc = "Sets one pixel.", needs = "display",
      params = { coord("x", "column"), coord("y", "row"), channel("r", "red"), channel("g", "green"),
                 channel("b", "blue"), channel("a", "alpha"), target() },
      results = {} },
    { name = "loadFont", doc = "Opens a TrueType font.", needs = "display", makes = "font",
      params = { { name = "path", type = "path", doc = "TrueType font file" }, num("size", "point size", { 1, nil }) },
      results = { res("font", "font", "the font"), res("advance", "integer", "advance of 'a' in a fixed-width face, else 0") } },
    { name = "printFont", doc = "Draws UTF-8 text at x, y, or with keep returns it in a new surface.", needs = "display",
      makes = "surface",
      params = { handle("font", "font", "font to draw with"), { name = "text", type = "text", doc = "UTF-8 text" },
                 channel("r", "red"), channel("g", "green"), channel("b", "blue"),
                 coord("x", "left edge"), coord("y", "top edge"), target(),
                 { name = "keep", type = "boolean", doc = "return the text in a new surface instead of drawing it" } },
      results = { res("surface", "surface", "with keep: the text", true), res("w", "integer", "with keep: width", true),
                  res("h", "integer", "with keep: height", true) } },
    { name = "freeFont", doc = "Closes a font.", frees = "font",
      params = { handle("font", "font", "font to close; nil does nothing", true) }, results = {} },
    { name = "showCursor", doc = "Shows or hides the mouse pointer.", needs = "display",
      params = { { name = "visible", type = "boolean", doc = "true shows, false or nil hides" } }, results = {} },
    { name = "draw", doc = "Draws a line (kind 0), rectangle (1) or circle (2); style 0 outline, 1 anti-aliased, 2 filled.",
      needs = "display", rule = "shape",
      params = { coord("x1", "first corner, or the centre of a circle"), coord("y1", "first corner, or the centre of a circle"),
                 coord("x2", "second corner, or the radius of a circle"),
                 num("y2", "second corner; not used by circles", COORD, true),
                 channel("r", "red"), channel("g", "green"), channel("b", "blue"),
                 channel("a", "alpha"), num("kind", "0 line, 1 rectangle, 2 circle", { 0, 2 }),
                 num("style", "0 outline, 1 anti-aliased (not for rectangles), 2 filled (not for lines)", { 0, 2 }),
                 target() },
      results = {} },
    { name = "drawTri", doc = "Draws a triangle: style 0 outline, 1 anti-aliased outline, 2 filled.", needs = "display",
      params = { coord("x1", "first corner"), coord("y1", "first corner"), coord("x2", "second corner"),
                 coord("y2", "second corner"), coord("x3", "third corner"), coord("y3", "third corner"),
                 channel("r", "red"), channel("g", "green"), channel("b", "blue"),
                 channel("a", "alpha"), num("style", "0 outline, 1 anti-aliased, 2 filled", { 0, 2 }), target() },
      results = {} },
    { name = "loadSound", doc = "Loads a sound effect; nil when there is no sound card.", needs = "display", makes = "sound",
      params = { { name = "path", type = "path", doc = "WAV, AIFF, VOC, OGG Vorbis or FLAC file" } },
      results = { res("sound", "sound", "the sound; nil without a sound card", true) } },
    { name = "loadMusic", doc = "Loads a piece of music; nil when there is no sound card.", needs = "display", makes = "music",
      params = { { name = "path", type = "path", doc = "OGG Vorbis, MP3, FLAC, WAV or tracker module file" } },
      results = { res("music", "music", "the music; nil without a sound card", true) } },
    { name = "playSound", doc = "Plays a sound.", needs = "display",
      params = { handle("sound", "sound", "sound to play; nil plays nothing", true),
                 num("loops", "times to repeat after the first; -1 without end", { -1, nil }, true) },
      results = {} },
    { name = "playMusic", doc = "Plays music in place of any that plays.", needs = "display",
      params = { handle("music", "music", "music to play; nil plays nothing", true),
                 num("loops", "-1 loops without end", { -1, nil }, true) },
      results = {} },
    { name = "pauseMusic", doc = "Pauses playing music, or resumes paused music.", needs = "display", params = {}, results = {} },
    { name = "musicVolume", doc = "Sets the music volume and returns the one it replaced.", needs = "display",
      params = { { name = "volume", type = "number", doc = "0..128, or -1 to only read it; nil sets 0", min = -1, max = 128,
                   missing = "volume missing: pass -1 to read the volume (nil sets it to 0, muting the music)" } },
      results = { res("previous", "integer", "the volume before the call; nil without a sound card", true) } },
    { name = "freeSound", doc = "Releases a sound.", frees = "sound",
      params = { handle("sound", "sound", "sound to release; nil does nothing", true) }, results = {} },
    { name = "freeMusic", doc = "Releases music.", frees = "music",
      params = { handle("music", "music", "music to release; nil does nothing", true) }, results = {} },
    { name = "curses_init", doc = "Opens the console: a window of cols x rows character cells.", starts = "console",
      params = { num("cols", "columns", { 1, 32767 }), num("rows", "rows", { 1, 32767 }),
                 { name = "path", type = "path", doc = "TrueType font file" }, num("size", "point size", { 1, nil }) },
      results = { res("cw", "integer", "cell width in pixels"), res("ch", "integer", "cell height in pixels") } },
    { name = "curses_refresh", doc = "Paints every cell onto the screen (flip shows it).", needs = "console",
      params = {}, results = {} },
    { name = "curses_addch", doc = "Writes a character into a cell; cells outside the grid are skipped.", needs = "console",
      params = { { name = "ch", type = "text", doc = "its first character counts" }, coord("x", "column"), coord("y", "row") },
      results = {} },
    { name = "curses_setcol", doc = "Colours a cell, channel by channel; nil or negative leaves a channel.",
      needs = "console",
      params = { coord("x", "column"), coord("y", "row"), cell_channel("fr", "foreground red"),
                 cell_channel("fg", "foreground green"), cell_channel("fb", "foreground blue"),
                 cell_channel("br", "background red"), cell_channel("bg", "background green"),
                 cell_channel("bb", "background blue") },
      results = {} },
    { name = "curses_fill", doc = "Fills a block of cells; a colour is written when all three of its channels are given.",
      needs = "console", rule = "colours",
      params = { coord("x", "left column"), coord("y", "top row"), num("w", "columns", { 0, nil }),
                 num("h", "rows", { 0, nil }),
                 { name = "ch", type = "text", doc = "character; nil keeps the cells' characters", opt = true },
                 cell_channel("fr", "foreground red"), cell_channel("fg", "foreground green"),
                 cell_channel("fb", "foreground blue"), cell_channel("br", "background red"),
                 cell_channel("bg", "background green"), cell_channel("bb", "background blue") },
      results = {} },
}
