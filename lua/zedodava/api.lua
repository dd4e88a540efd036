-- The 32 functions of zedodava as data, and in its field extra those of
-- zedodava.extra: each one's parameters with their types, the values they
-- may take and what they mean, and its results.
-- Checked mode (zedodava.checked) builds its checks from this table,
-- tools/gen-meta.lua writes the editor annotations from it and the fuzzer
-- (tests/fuzz/fuzz.lua) its calls, and tests/unit/test_api.cpp compares it
-- with the tables the library registers (names, order, arguments read).
--
-- A function: name, doc, params, results, and
--   needs    "display" (init or curses_init first) or "console" (curses_init first)
--   starts   "display" or "console"; stops: true (quit)
--   makes    the kind of handle its first result is; frees: the kind it releases
--   rules    checks across parameters, by their names, made after each
--            parameter passed on its own, in order:
--     { pairs = { p, q }, valid = { { a, b }, ... }, what = W }
--              p, q must be one of the valid pairs (no W has p a and q b)
--     { param = p, as = N, min = m, when = { q, v } }
--              when q is v, p (called N) must be at least m
--     { param = p, required = true, unless = { q, v } }
--              p may be nil only when q is v
--     { all_or_none = { p, q, r }, what = W }
--              all three given (not nil, not negative) or none of them
-- A parameter: name, type, doc, and
--   number   min and max bound the value after truncation toward zero
--   opt      nil is accepted (booleans always are); for handles nil is the
--            screen (targets), a sound that loaded as nothing (no sound card),
--            or, for every free, nothing to free
--   missing  what checked mode says when a required argument is nil
--   path     a file that must exist and be readable
--   text     a string or a number (drawn as its string form)
--   loads    for a path: what the file must load as ("image", "font",
--            "sound", "music")
-- A range given in min and max is not repeated in the doc.
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

-- The kinds of handle (a parameter's or result's type names one), in the
-- order the annotations list them; quit releases every live handle of the
-- kinds marked released, and surfaces outlive it.
local kinds = {
    { name = "surface", plural = "surfaces", released = false },
    { name = "font", plural = "fonts", released = true },
    { name = "sound", plural = "sounds", released = true },
    { name = "music", plural = "music", released = true },
}
local released = {}
for _, k in ipairs(kinds) do
    if k.released then released[#released + 1] = k.plural end
end

local api = {
    kinds = kinds,
    { name = "init", doc = "Opens the window and starts fonts and sound.", starts = "display",
      params = { num("w", "window width in pixels", { 1, 32767 }), num("h", "window height in pixels", { 1, 32767 }),
                 { name = "fullscreen", type = "boolean", doc = "full screen instead of a window" },
                 { name = "opengl", type = "boolean", doc = "an OpenGL window" } },
      results = {} },
    { name = "quit", doc = "Closes the window and releases " .. table.concat(released, ", ") .. " and the console.",
      stops = true,
      params = {}, results = {} },
    { name = "fill", doc = "Fills a rectangle with one colour; a width or height of 0 fills the whole target.",
      needs = "display",
      params = { coord("x", "left edge"), coord("y", "top edge"), num("w", "width; 0 fills the whole target", { 0, 65535 }),
                 num("h", "height; 0 fills the whole target", { 0, 65535 }), channel("r", "red"),
                 channel("g", "green"), channel("b", "blue"), channel("a", "alpha"), target() },
      results = {} },
    { name = "flip", doc = "Shows the frame drawn on the screen.", needs = "display", params = {}, results = {} },
    { name = "input", doc = "The next event: 0 none, 1 key down, 2 key up (then the key code), 3 button down, 4 button up (then x, y, button), 5 close requested (with zedodava.extra's catchClose on).",
      needs = "display", params = {},
      results = { res("event", "integer", "event code 0..5"), res("a", "integer", "key code, or x of a button event", true),
                  res("b", "integer", "y of a button event", true), res("c", "integer", "button of a button event", true) } },
    { name = "mouse", doc = "The pointer position and whether one button is held.", needs = "display",
      params = { num("button", "1 left, 2 middle, 3 right; nil or 0 for the position only", { 0, 8 }, true) },
      results = { res("x", "integer", "pointer x"), res("y", "integer", "pointer y"), res("held", "boolean", "the button is held") } },
    { name = "isKeyDown", doc = "Whether a key is held.", needs = "display",
      params = { num("key", "key code (see zedodava.keys)", { 0, 322 }) },
      results = { res("held", "boolean", "the key is held") } },
    { name = "loadImage", doc = "Loads an image file as a surface.", needs = "display", makes = "surface",
      params = { { name = "path", type = "path", doc = "image file", loads = "image" } },
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
      params = { { name = "path", type = "path", doc = "TrueType font file", loads = "font" },
                 num("size", "point size", { 1, nil }) },
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
      needs = "display",
      params = { coord("x1", "first corner, or the centre of a circle"), coord("y1", "first corner, or the centre of a circle"),
                 coord("x2", "second corner, or the radius of a circle"),
                 num("y2", "second corner; not used by circles", COORD, true),
                 channel("r", "red"), channel("g", "green"), channel("b", "blue"),
                 channel("a", "alpha"), num("kind", "0 line, 1 rectangle, 2 circle", { 0, 2 }),
                 num("style", "0 outline, 1 anti-aliased (not for rectangles), 2 filled (not for lines)", { 0, 2 }),
                 target() },
      rules = { { pairs = { "kind", "style" }, what = "shape",
                  valid = { { 0, 0 }, { 0, 1 }, { 1, 0 }, { 1, 2 }, { 2, 0 }, { 2, 1 }, { 2, 2 } } },
                { param = "x2", as = "radius", min = 0, when = { "kind", 2 } },
                { param = "y2", required = true, unless = { "kind", 2 } } },
      results = {} },
    { name = "drawTri", doc = "Draws a triangle: style 0 outline, 1 anti-aliased outline, 2 filled.", needs = "display",
      params = { coord("x1", "first corner"), coord("y1", "first corner"), coord("x2", "second corner"),
                 coord("y2", "second corner"), coord("x3", "third corner"), coord("y3", "third corner"),
                 channel("r", "red"), channel("g", "green"), channel("b", "blue"),
                 channel("a", "alpha"), num("style", "0 outline, 1 anti-aliased, 2 filled", { 0, 2 }), target() },
      results = {} },
    { name = "loadSound", doc = "Loads a sound effect; nil when there is no sound card.", needs = "display", makes = "sound",
      params = { { name = "path", type = "path", doc = "WAV, AIFF, VOC, OGG Vorbis or FLAC file", loads = "sound" } },
      results = { res("sound", "sound", "the sound; nil without a sound card", true) } },
    { name = "loadMusic", doc = "Loads a piece of music; nil when there is no sound card.", needs = "display", makes = "music",
      params = { { name = "path", type = "path", doc = "OGG Vorbis, MP3, FLAC, WAV or tracker module file",
                   loads = "music" } },
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
      params = { { name = "volume", type = "number", doc = "the new volume, or -1 to only read it; nil sets 0", min = -1, max = 128,
                   missing = "volume missing: pass -1 to read the volume (nil sets it to 0, muting the music)" } },
      results = { res("previous", "integer", "the volume before the call; nil without a sound card", true) } },
    { name = "freeSound", doc = "Releases a sound.", frees = "sound",
      params = { handle("sound", "sound", "sound to release; nil does nothing", true) }, results = {} },
    { name = "freeMusic", doc = "Releases music.", frees = "music",
      params = { handle("music", "music", "music to release; nil does nothing", true) }, results = {} },
    { name = "curses_init", doc = "Opens the console: a window of cols x rows character cells.", starts = "console",
      params = { num("cols", "columns", { 1, 32767 }), num("rows", "rows", { 1, 32767 }),
                 { name = "path", type = "path", doc = "TrueType font file", loads = "font" },
                 num("size", "point size", { 1, nil }) },
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
      needs = "console",
      params = { coord("x", "left column"), coord("y", "top row"), num("w", "columns", { 0, nil }),
                 num("h", "rows", { 0, nil }),
                 { name = "ch", type = "text", doc = "character; nil keeps the cells' characters", opt = true },
                 cell_channel("fr", "foreground red"), cell_channel("fg", "foreground green"),
                 cell_channel("fb", "foreground blue"), cell_channel("br", "background red"),
                 cell_channel("bg", "background green"), cell_channel("bb", "background blue") },
      rules = { { all_or_none = { "fr", "fg", "fb" }, what = "foreground" },
                { all_or_none = { "br", "bg", "bb" }, what = "background" } },
      results = {} },
}

-- zedodava.extra
local function opt_res(name, type, doc) return res(name, type, doc, true) end
local function src() return handle("surface", "src", "surface to draw from") end
local function flag(name, doc) return { name = name, type = "boolean", doc = doc } end
api.extra = {
    { name = "blitPart", doc = "Copies one rectangle of a surface (a frame of a sprite sheet) with its top-left corner at x, y.",
      needs = "display",
      params = { src(), coord("sx", "left edge in the source"), coord("sy", "top edge in the source"),
                 num("sw", "width; 0 draws nothing", { 0, 65535 }), num("sh", "height; 0 draws nothing", { 0, 65535 }),
                 coord("x", "left edge"), coord("y", "top edge"), target() },
      results = {} },
    { name = "blitScaled", doc = "Copies a whole surface stretched to w x h (nearest pixel) at x, y.", needs = "display",
      params = { src(), coord("x", "left edge"), coord("y", "top edge"), num("w", "width drawn; 0 draws nothing", { 0, nil }),
                 num("h", "height drawn; 0 draws nothing", { 0, nil }), target() },
      results = {} },
    { name = "blitAlpha", doc = "Copies a whole surface as blit does, its alpha scaled by opacity.", needs = "display",
      params = { src(), coord("x", "left edge"), coord("y", "top edge"),
                 channel("opacity", "0 draws nothing, 255 is blit"), target() },
      results = {} },
    { name = "transform", doc = "A new surface: the source turned counter-clockwise and zoomed, with its alpha.",
      needs = "display", makes = "surface",
      params = { src(), num("angle", "degrees counter-clockwise"),
                 num("zoomx", "horizontal zoom; negative mirrors; nil is 1", nil, true),
                 num("zoomy", "vertical zoom; negative mirrors; nil is zoomx", nil, true),
                 flag("smooth", "filtered instead of nearest pixel") },
      results = { opt_res("surface", "surface", "the new surface; nil for a zoom of 0 or past 16383 pixels"),
                  opt_res("w", "integer", "width"), opt_res("h", "integer", "height") } },
    { name = "setTitle", doc = "Names the window.", needs = "display",
      params = { { name = "title", type = "text", doc = "the window's title" } }, results = {} },
    { name = "textSize", doc = "The size printFont would give the text, without drawing it.", needs = "display",
      params = { handle("font", "font", "font to measure with"), { name = "text", type = "text", doc = "UTF-8 text" } },
      results = { res("w", "integer", "width; 0 for empty text"), res("h", "integer", "height") } },
    { name = "fontStyle", doc = "Sets a font's style for the text drawn and measured after.", needs = "display",
      params = { handle("font", "font", "font to style"),
                 num("style", "0 plain, or the sum of 1 bold, 2 italic, 4 underline", { 0, 7 }) },
      results = {} },
    { name = "getpix", doc = "Reads one pixel back; nothing outside the target.", needs = "display",
      params = { coord("x", "column"), coord("y", "row"), target() },
      results = { opt_res("r", "integer", "red"), opt_res("g", "integer", "green"), opt_res("b", "integer", "blue"),
                  opt_res("a", "integer", "alpha; 255 on the screen") } },
    { name = "saveImage", doc = "Writes the screen or a surface as a PNG file.",
      params = { target(), { name = "path", type = "text", doc = "file to write" } },
      results = { opt_res("ok", "boolean", "true when written"), opt_res("reason", "string", "why not") } },
    { name = "drivers", doc = "The video and audio drivers SDL chose; nil for one not running.", params = {},
      results = { opt_res("video", "string", "video driver"), opt_res("audio", "string", "audio driver") } },
    { name = "stopSounds", doc = "Stops every sound effect.", needs = "display", params = {}, results = {} },
    { name = "stopMusic", doc = "Stops the music.", needs = "display", params = {}, results = {} },
    { name = "fadeMusic", doc = "Fades the music out; paused music stops at once.", needs = "display",
      params = { num("ms", "milliseconds; 0 stops at once", { 0, nil }) }, results = {} },
    { name = "soundVolume", doc = "Sets a sound's volume and returns the one it replaced.", needs = "display",
      params = { handle("sound", "sound", "sound to set; nil does nothing", true),
                 num("volume", "the new volume, or -1 to only read it", { -1, 128 }) },
      results = { opt_res("previous", "integer", "the volume before; nil without a sound card") } },
    { name = "textInput", doc = "Turns on or off the text that key presses type (see typed).",
      params = { flag("on", "true turns it on") }, results = {} },
    { name = "typed", doc = "The UTF-8 text of the key press input last returned, with text input on.", params = {},
      results = { opt_res("text", "string", "nil for other events and keys that type nothing") } },
    { name = "keyRepeat", doc = "Held keys repeat their press after delay, then every interval milliseconds.",
      needs = "display",
      params = { num("delay", "milliseconds; 0 turns repeat off", { 0, nil }), num("interval", "milliseconds", { 0, nil }) },
      results = {} },
    { name = "catchClose", doc = "With on, closing the window makes input return event 5 instead of ending the process.",
      params = { flag("on", "true catches the close request") }, results = {} },
    { name = "probe", doc = "Whether a file would load, without loading it here or ending the process.",
      params = { { name = "path", type = "text", doc = "file to try" },
                 { name = "kind", type = "text", doc = '"image", "font", "sound" or "music"' } },
      results = { opt_res("ok", "boolean", "true when it would load"), opt_res("reason", "string", "the library's reason") } },
}
return api
