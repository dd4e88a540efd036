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

-- The reference, docs/reference.md, is written from this file by
-- tools/gen-doc.lua: each function's parameter and result tables from the
-- fields above, and from here the prose around them. sections: the order of
-- the reference, each with the text before its functions (text), the
-- functions (by name; table "extra" for zedodava.extra's) and text after
-- them (after). notes: for every function of both tables, what its tables
-- do not say: its edge behaviour (text), an example, the lines it prints to
-- standard output and carries on (prints) and its fatal lines (fatal), each
-- line with when it is printed. A function with no note or no section stops
-- the generator, so none goes undocumented. {@name} links to a function.
api.sections = {
    { title = "Conventions", text = [[
- Arguments are read by position. A missing or non-numeric number reads as
  0 and is truncated toward zero (`800.9` is 800); a numeric string such as
  `"12"` reads as 12. Numbers beyond 32 bits wrap modulo 2^32; NaN and
  infinities read as 0. A missing string is no string; a boolean is false
  only for `nil`, `false` or a missing argument (the number 0 is true).
- Colour channels keep their low 8 bits: 256 is 0, -1 is 255.
- Images, fonts, sounds and music come back as light userdata handles that
  the script frees itself (see [Handles](#handles-and-what-a-stale-one-does)).
- No function raises a Lua error except the console's colour channels,
  which reject a value that is neither nil nor a number.
- A failure to start a library, set the video mode or load a named file
  prints one line to standard output and ends the process with status 1.

Each function below lists its parameters in the order they are read. The
type is the one [checked mode](checked.md) expects; "or nil" marks a parameter that may be
left out (a boolean always may: it is then false). The range is what checked
mode accepts, after truncation toward zero; the plain module takes any value
and reads it as these conventions and the function's notes say. A result of
type integer is a whole number (a Lua integer on 5.3 and 5.4). In the lines
a function prints, `W`, `H`, `COLS`, `ROWS` and `PATH` stand for the values
it read and `...` for the library's own message. A file path names a file
that checked mode requires to exist and be readable; a string or number is
used as its string form.]] },
    { title = "Handles and what a stale one does", text = [[
Images, surfaces, fonts, sounds and music reach a script as light userdata:
plain pointers with no metatable and no garbage collection. The script
frees each one with the matching function, and nothing else frees them,
except `quit` as described below.

The module keeps a registry of every handle it has given out, with its
kind, and forgets a handle when the script frees it. Every function that
takes a handle looks it up first, so a careless script cannot crash the
game through one:

- a free function given anything but a live handle of its own kind (one
  already freed, one of another kind, a number, a string, nil) does
  nothing;
- `blit`, `fill`, `putpix`, `draw`, `drawTri` and `printFont` given a source
  that is not a live surface, or a target that is a userdata but not a
  live surface, draw nothing (a missing or nil target, or any other value
  that is no userdata, means the screen); `printFont` with a font that is
  not live draws nothing and returns nothing, in either mode;
- `playSound` and `playMusic` with anything but a live sound or music play
  nothing.

At `quit`, {released} are released with the libraries that own
them, and their handles become stale in the same way. Surfaces stay valid
and usable, on the next screen too (a surface in video memory, which
Linux's drivers do not make, would be released like a font). Before `init`
or `curses_init` and after `quit`, drawing, console and audio functions do
nothing, `input` returns 0, `mouse` returns 0, 0, false and `isKeyDown`
false; `quit` twice is harmless, and `init` or `curses_init` after `quit`
starts everything again.

One case no check can tell apart: when a handle has been freed and the
library later hands out the same memory again for a new object, the old
handle value equals the new one, and a script still holding the old value
acts on the new object. Forget a handle when you free it
(`freeSurf(s); s = nil`).

When the registry itself cannot grow, the function giving out the handle
prints `Couldn't allocate memory for handles.` and ends the process with
status 1.]] },
    { title = "Display", functions = { "init", "flip", "showCursor", "quit" } },
    { title = "Input", functions = { "input", "mouse", "isKeyDown" }, text = [[
Key codes are SDL 1.2's: letters are their lower-case ASCII codes (a = 97 ...
z = 122), digits 48..57, Escape 27, Return 13, Space 32, Backspace 8, Tab 9,
the arrows Up 273, Down 274, Right 275, Left 276, F1..F12 282..293, Left Shift
304, Left Ctrl 306. Buttons: 1 left, 2 middle, 3 right, 4 wheel up, 5 wheel
down. [Key names](#key-names) gives them all by name.]] },
    { title = "Key names", text = [[
`require "zedodava.keys"` (the file `lua/zedodava/keys.lua`) returns a
table of the codes by name, so that a script needs no numbers:

```lua
local keys = require "zedodava.keys"
if ev == keys.event.keydown and a == keys.escape then ... end
if z.isKeyDown(keys.left) then ... end
local x, y, held = z.mouse(keys.button.left)
```

- Keys: SDL 1.2's names in lower case: `keys.a` … `keys.z`, `keys.up`,
  `keys.down`, `keys.left`, `keys.right`, `keys.space`, `keys.escape`,
  `keys.backspace`, `keys.tab`, `keys.f1` … `keys.f15`, `keys.lshift`,
  `keys.rctrl`, `keys.lalt`, `keys.kp0` … `keys.kp9`, `keys.kp_plus`,
  `keys.pageup`, `keys.home`… Names that are Lua keywords or digits are
  written as strings: `keys["return"]`, `keys["end"]`, `keys["break"]`,
  `keys["0"]` … `keys["9"]`.
- `keys.button`: `left` 1, `middle` 2, `right` 3, `wheelup` 4,
  `wheeldown` 5.
- `keys.event`: `none` 0, `keydown` 1, `keyup` 2, `mousedown` 3,
  `mouseup` 4.
- `keys.name(code)`: the name of a key code (`keys.name(27)` is
  `"escape"`), or `nil`, for messages and key-binding menus.

A name that is not in the table raises an error listing the closest names,
instead of giving `nil` (which no key code would ever equal):
`keys.enter` raises `unknown key 'enter' (did you mean 'return' or
'kp_enter'?)`, and `keys.button.lft` and `keys.event.key_down` likewise.
To ask whether a name exists, use `rawget(keys, name)`. Otherwise the table
is plain Lua data; a script may keep it or copy what it needs.]] },
    { title = "Frame timer", functions = { "timer" } },
    { title = "Surfaces and drawing",
      functions = { "loadImage", "makeSurf", "blit", "freeSurf", "fill", "putpix", "draw", "drawTri" }, text = [[
A surface is a light userdata handle to a 32-bit surface in the display's
pixel format with an alpha channel, so `loadImage` and `makeSurf` work only
after `init` or `curses_init`. The script owns every surface until it passes
it to `freeSurf`; nothing frees surfaces behind its back (for what a freed
handle does, see [Handles](#handles-and-what-a-stale-one-does)).

The target of every drawing function is the last argument; missing or `nil`
means the display. Every drawing function does nothing when its target is
the display and there is none (before `init`, after `quit`), and on an
OpenGL display, which has no pixels of its own (surfaces still take them).
Coordinates keep their low 16 bits as signed values (32768 is -32768);
colour channels keep their low 8 bits (256 is 0, -1 is 255, 300.7 is 44).]],
      after = [[
The C function `putpixel(surface, x, y, pixel)` is exported for native code
in the same process: it stores a pixel value already in the surface's format
at `x, y` of a surface that the caller has locked, for 1 to 4 bytes per
pixel (3-byte pixels least significant byte first). It tests neither the
lock nor the position.]] },
    { title = "Text", functions = { "loadFont", "printFont", "freeFont" }, text = [[
Fonts work only after `init` or `curses_init`. A font is a light userdata
handle that the script closes with `freeFont`; `quit` closes the fonts
still open, and their handles go stale.]] },
    { title = "Sound and music",
      functions = { "loadSound", "loadMusic", "playSound", "playMusic", "pauseMusic", "musicVolume", "freeSound",
                    "freeMusic" }, text = [[
A sound is decoded whole into memory and converted to the mixer's format
(44.1 kHz, 16-bit stereo); music is streamed from its file while it plays,
so the file must stay in place until `freeMusic`. Sounds and music are light
userdata handles that the script frees itself (see
[Handles](#handles-and-what-a-stale-one-does) for a freed one, or a sound
given where music is expected).

Without an audio device (`init` printed `Couldn't initialize SDL_mixer:
...`), and also before `init` and after `quit`, every one of these
functions does nothing at all: it reads no argument, opens no file, prints
nothing and returns nothing, so `loadSound`, `loadMusic` and `musicVolume`
give `nil` and the other calls accept that `nil`. A game written for sound
runs unchanged, silently.]] },
    { title = "Console",
      functions = { "curses_init", "curses_addch", "curses_setcol", "curses_fill", "curses_refresh" }, text = [[
A second display mode: a grid of character cells drawn with one TrueType
font, each cell holding a printable character, a foreground colour and a
background colour. `./demo.sh console` runs `examples/roguelike.lua`, a
small game written this way.

Cells are numbered from (0, 0) at the top left; `x` is the column. Writes
aimed outside the grid are skipped silently, and before `curses_init` or
after `quit` every write and refresh does nothing.

- Characters: only the first byte of the string counts; printable ASCII
  (`!` to `~`) is stored as given, anything else (an empty string, a control
  character, a byte of 0x80 or more such as the start of a UTF-8 character)
  becomes a space. A number counts by its string form (`42` stores `4`).
- Colour channels are optional: `nil`, absent or negative (after truncation:
  `-0.5` is 0) leaves the channel as it is, otherwise the low 8 bits are
  stored (`300` is 44). A channel that is neither nil nor a number (nor a
  numeric string) raises Lua's usual `bad argument` error before any cell
  changes: the one Lua error the module raises.]] },
    { title = "zedodava.extra", table = "extra",
      functions = { "blitPart", "blitScaled", "blitAlpha", "transform", "setTitle", "textSize", "fontStyle", "getpix",
                    "saveImage", "drivers", "stopSounds", "stopMusic", "fadeMusic", "soundVolume", "textInput",
                    "typed", "keyRepeat", "catchClose", "probe" }, text = [[
```lua
local z = require "zedodava"
local x = require "zedodava.extra"   -- before or after zedodava: the same table
```

The table comes from the same `zedodava.so` (no other library, and the
module still exports its seven names); `lua/zedodava/extra.lua` answers a
require that comes before `require "zedodava"`, so `LUA_PATH` must reach
`lua/` as it does for the key names. `zedodava`'s own table keeps its 32
functions. The calls share the module's handles: surfaces made by
`transform` are freed by `freeSurf` and outlive `quit` like any other; a
freed, forged or wrong-kind handle is ignored (no values, nothing drawn).
Arguments are read as the 32 functions read them: numbers truncate toward
zero (but for `transform`'s angle and zooms, which keep their fractions), a
missing or non-numeric number is 0, the drawing calls' positions wrap to 16
bits as `blit`'s do, a missing target is the screen. With the checked form,
`local x = require "zedodava.extra.checked"`, every call is checked as in
checked mode, with the same handle tracking; use it together with
`zedodava.checked`.]],
      after = [[
`blitScaled` and `blitAlpha` have their own loops (gather a row, then the
blit's vector blend); `blitPart` takes the blit's own loop (see
[Fast paths](../bench/README.md#fast-paths)). Timings against pygame:
[bench/RESULTS.md](../bench/RESULTS.md), "zedodava.extra's sprite calls".]] },
}

api.notes = {
    init = { text = [[
Starts SDL's video and audio, opens a 32-bit double-buffered window, starts
the font library and opens the mixer (44.1 kHz stereo). A second `init` (or
`curses_init`) without `quit` sets a new video mode in place of the old
window and keeps the font library and the mixer as they are; the script's
handles stay valid. After `quit`, `init` starts everything again. In OpenGL
mode the display has no pixels of its own: the drawing calls draw nothing on
it (surfaces still take them) and `curses_refresh` paints nothing.]],
      example = [[
z.init(640, 480)               -- zarn init (640x480)
z.init(800, 600, true, true)   -- zarn init (800x600), fullscreen, OpenGL mode]],
      prints = { { "zarn init (WxH)", "first; `, fullscreen` and `, OpenGL mode` follow it as asked, then a newline" },
                 { "Couldn't initialize SDL_mixer: ...",
                   "no audio device can be opened: the game runs without sound" } },
      fatal = { { "Couldn't initialize SDL: ...", "SDL's video or audio cannot start" },
                { "Couldn't set WxH video mode: ...", "the window cannot be opened" },
                { "Couldn't initialize SDL_ttf: ...", "the font library cannot start" } } },
    flip = [[
Swaps the OpenGL buffers in OpenGL mode. Before `init` and after `quit` it
does nothing (in OpenGL mode too).]],
    showCursor = [[
A missing argument hides the pointer, as `false` does; the number 0 is true
and shows it.]],
    quit = { text = [[
Releases the console if one was set up, releases the fonts, sounds and music
the script still holds (surfaces stay: see
[Handles](#handles-and-what-a-stale-one-does)), and shuts down the mixer,
the fonts and SDL. A second `quit` is harmless, and `init` or `curses_init`
after it starts everything again.]],
      prints = { { "zarn quit", "at every call" } } },
    input = { text = [[
One event per call; call it until it returns 0.

| Code | Event | Then |
|---|---|---|
| 0 | no event pending | |
| 1 | key pressed | key code |
| 2 | key released | key code |
| 3 | mouse button pressed | x, y, button |
| 4 | mouse button released | x, y, button |
| 5 | close requested (with {@catchClose} on) | |

Other events (pointer motion, focus, expose...) are dropped. Closing the
window ends the process at once with status 0 and prints nothing, unless
`zedodava.extra`'s `catchClose(true)` is in force: then `input` returns the
single value 5 (close requested) and the script ends when it likes. Before
`init` and after `quit` there is no window: it returns 0.]],
      example = [[
repeat
    local ev, a, b, c = z.input()
    if ev == 1 and a == 27 then running = false end   -- Escape pressed
    if ev == 3 then print("button", c, "at", a, b) end
until ev == 0]] },
    mouse = [[
Reads the state that `input`'s polling keeps up to date. `held` is false for
button numbers outside 1..8. Before `init` and after `quit` it gives 0, 0,
false.]],
    isKeyDown = [[
Reads the state that `input`'s polling keeps up to date. False for key codes
outside 0..322, and before `init` and after `quit`.]],
    timer = { text = [[
`dt` is the time since the previous call, `fps` the calls counted in the
last window of just over one second (0 until the first window closes), and
`ticks` the tick count read at the call. With a target above 0 it waits
until the frame's slot on a fixed schedule of `1000 // fps` milliseconds per
frame; a late frame does not wait, and the loop catches up until the
schedule is ahead of the clock again. A target of 0, a negative one or none
paces nothing but still measures.]],
      example = [[
local dt = z.timer(60)    -- at most 60 frames a second
x = x + speed * dt        -- speed in pixels per second]] },
    loadImage = { text = [[
Reads any format SDL_image reads: PNG, BMP, JPEG, GIF...]],
      fatal = { { "Couldn't load image PATH. Exiting.",
                  "the file cannot be read as an image, or there is no display to convert to " ..
                  "(before `init` or `curses_init`, after `quit`)" },
                { "Couldn't load image (null). Exiting.", "the path is missing, or neither a string nor a number" } } },
    makeSurf = { text = [[
`makeSurf` does not clear the new surface: `fill` it before use.]],
      example = [[
local s = z.makeSurf(32, 32)
z.fill(0, 0, 0, 0, 0, 0, 0, 0, s)                  -- all of it transparent black
z.draw(16, 16, 12, 0, 255, 200, 0, 255, 2, 2, s)   -- a filled yellow disc
z.blit(s, 100, 80)]],
      fatal = { { "Couldn't create surface. Exiting.",
                  "a negative size, a width of 16384 or more, a height of 65536 or more, too little memory, " ..
                  "or no display" } } },
    blit = [[
Copies the whole source with its top-left corner at `x, y`, clipped to the
target and blended by the source's per-pixel alpha. A missing or `nil`
source does nothing.]],
    freeSurf = [[
Anything but a live surface is ignored. Forget the handle when you free it:
`freeSurf(s); s = nil`.]],
    fill = [[
`w` and `h` keep their low 16 bits: when either is 0 (so also for 65536)
the whole target is filled, and -1 (65535) reaches past the edge and is
clipped. On a surface the alpha channel is stored as given; on the display
it is ignored.]],
    putpix = [[
Sets one pixel, the colour's alpha stored as it is. A position outside the
target (a negative one included) writes nothing.]],
    draw = [[
`kind` and `style` choose the shape; circles take `x1, y1` as the centre
and `x2` as the radius, and ignore `y2`. The alpha of the colour blends the
shape over what is beneath.

| kind | style 0 | style 1 | style 2 |
|---|---|---|---|
| 0 line from `x1, y1` to `x2, y2` | line | anti-aliased line | nothing |
| 1 rectangle with corners `x1, y1` and `x2, y2` | outline | nothing | filled box |
| 2 circle | outline | anti-aliased outline | filled disc |

Any other kind or style draws nothing. The codes are compared whole after
truncation (1.9 is 1, 65537 is not 1).]],
    drawTri = [[
Style 0 outline, 1 anti-aliased outline, 2 filled, anything else nothing;
the style is compared as `draw`'s codes are.]],
    loadFont = { text = [[
Opens the font at the size truncated toward zero (12.9 opens at 12). The
second result is the advance in pixels of the letter `a` when the face is
fixed-width (every glyph as wide as the next, as in DejaVu Sans Mono): a
column of text is then that many pixels per character. For a proportional
face it is 0.]],
      fatal = { { "Couldn't load font PATH. Exiting.",
                  "the file cannot be opened as a font at that size, or no `init` came first" },
                { "Couldn't load font (null). Exiting.", "the path is missing, or neither a string nor a number" } } },
    printFont = { text = [[
Renders `text` (UTF-8) anti-aliased in the colour `r, g, b`; there is no
alpha argument and the channels keep their low 8 bits.

- With `keep` missing, `nil` or `false` it draws the text with its top-left
  corner at `x, y` (truncated to 16-bit signed values) on the target
  (missing or `nil`: the display), clipped to it and blended over what is
  beneath, and returns nothing.
- With any other `keep` (the number 0 included) it draws nothing and
  returns a new surface holding the text, with its width and height: a
  surface like `makeSurf`'s, to `blit` as often as wanted and release with
  `freeSurf`; `x`, `y` and the target are then ignored.
- It returns nothing and draws nothing when there is nothing to render: a
  `nil` font, a missing, `nil` or empty text (a number is drawn as its
  string form; other values count as no text; the text ends at its first
  zero byte), or a text too wide for one surface (16384 pixels or more). The
  same goes for drawing when there is no display, and for keeping before
  `init`.]],
      example = [[
local font = z.loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 18)
z.printFont(font, "Score: " .. score, 255, 255, 255, 10, 10)   -- on the screen
local label, w, h = z.printFont(font, "Game over", 255, 0, 0, 0, 0, nil, true)
z.blit(label, math.floor((640 - w) / 2), 200)]] },
    freeFont = [[
`nil` is ignored, and so is a font freed after `quit` (`quit` closed it
already). For a font used after `freeFont`, see
[Handles](#handles-and-what-a-stale-one-does).]],
    loadSound = { text = [[
With no sound card it returns `nil` and reads nothing.]],
      fatal = { { "Couldn't load sound PATH. Exiting.", "with audio on: the file cannot be opened or decoded" },
                { "Couldn't load sound (null). Exiting.",
                  "with audio on: the path is missing, or neither a string nor a number" } } },
    loadMusic = { text = [[
With no sound card it returns `nil` and reads nothing. A file the mixer
would crash or hang on (see [Troubleshooting](troubleshooting.md#files-that-crash-the-libraries))
is refused as one it cannot decode: `PATH: ` and the reason go to standard
error before the fatal line.]],
      fatal = { { "Couldn't load music PATH. Exiting.",
                  "with audio on: the file cannot be opened or decoded, or the mixer would crash or hang on it" },
                { "Couldn't load music (null). Exiting.",
                  "with audio on: the path is missing, or neither a string nor a number" } } },
    playSound = [[
Plays the sound on the first free channel of eight, `loops` more times after
the first: missing or 0 plays it once, 2 three times, -1 without end. When
all channels are busy the sound is dropped. Of the 32 functions only
`freeSound` stops a playing sound; `zedodava.extra`'s {@stopSounds} stops
them all.]],
    playMusic = [[
Starts the music, replacing any that was playing; -1 loops without end, 0
and 1 play it once, and from 2 up it plays `loops + 1` times (the mixer's
count). Of the 32 functions none halts music but `freeMusic`: pause it or
play other music, or use `zedodava.extra`'s {@stopMusic} and {@fadeMusic}.]],
    pauseMusic = [[
Toggles: playing music pauses, paused music resumes. The script is not told
which happened; two calls restore the state.]],
    musicVolume = { text = [[
Values above 128 count as 128; -1 (or any negative) changes nothing and
only returns the volume. A missing argument reads as 0 and silences the
music (checked mode raises instead).]],
      example = [[
local was = z.musicVolume(-1)   -- only read it
z.musicVolume(64)               -- half as loud as the start]] },
    freeSound = [[
A playing sound stops first. `nil` is ignored, and freeing after `quit` is
harmless.]],
    freeMusic = [[
Playing music stops first. `nil` is ignored, and freeing after `quit` is
harmless.]],
    curses_init = { text = [[
The alternative to `init`. It starts SDL's video and audio and the font
library, opens the mixer, opens the font (the size is truncated: `15.7` is
15), and sizes each cell from the font: as wide as its advance for `@`, as
high as its line skip. The window is `cols` × cell width by `rows` × cell
height pixels, 32-bit and double-buffered, never full screen or OpenGL.
Every cell starts as a space, black on white. Calling `curses_init` again
replaces the console: the old font and cells are released first.]],
      example = [[
local mono = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
local cw, ch = z.curses_init(80, 25, mono, 16)
z.curses_fill(0, 0, 80, 25, " ", 200, 200, 200, 0, 0, 0)   -- grey on black
z.curses_addch("@", 40, 12)
z.curses_refresh()
z.flip()]],
      prints = { { "zarn init (COLSxROWS), curses mode", "first" },
                 { "Couldn't initialize SDL_mixer: ...",
                   "no audio device can be opened (printed before any font line): the console runs without sound" } },
      fatal = { { "Couldn't initialize SDL: ...", "SDL's video or audio cannot start" },
                { "Couldn't initialize SDL_ttf: ...", "the font library cannot start" },
                { "Couldn't load font: ...", "the font cannot be opened at that size, or the path is missing" },
                { "Couldn't set WxH video mode: Invalid width or height",
                  "a grid with zero or negative columns or rows, or a window wider or higher than 32767 pixels" },
                { "Couldn't set WxH video mode: ...", "the window cannot be opened" },
                { "Couldn't allocate memory for curses data.", "the cells cannot be had" } } },
    curses_addch = [[
A missing character, or one that is neither a string nor a number, stores
nothing.]],
    curses_setcol = [[
Applies each of its six channels by itself: `curses_setcol(x, y, 255)` sets
only the foreground red.]],
    curses_fill = [[
Writes every cell of the `w` × `h` rectangle that lies in the grid (the part
of a rectangle reaching past the edges is dropped; `w` or `h` of 0 or less
writes nothing). With `ch` nil the characters stay; a colour is written only
when all three of its channels are given.]],
    curses_refresh = [[
Paints every cell onto the display: its background over the cell's
rectangle, then its character rendered in its foreground colour and blended
over it. Call `flip` afterwards to show the frame. It repaints the whole
grid on each call, every cell, whatever was drawn over the screen since, and
paints nothing on an OpenGL display. Each character's glyph is rendered once
per console and kept (see [Fast paths](../bench/README.md#fast-paths)).]],
    blitPart = { text = [[
Blended and clipped as `blit` does. The rectangle is cut to the source first
(a negative `sx` moves the drawing right as SDL does); `sw` or `sh` of 0 or
less draws nothing.]],
      example = [[
local sheet = z.loadImage("ship.png")            -- 8 frames of 32 x 32 in a row
x.blitPart(sheet, frame * 32, 0, 32, 32, px, py)]] },
    blitScaled = [[
Blended as `blit`. `w` or `h` of 0 or less draws nothing; at the source's
own size it is `blit`; any size is clipped to the target, and only the
visible part is worked.]],
    blitAlpha = [[
Each source alpha `a` is made `(a * opacity + 127) / 255`. Opacity is held
to 0..255; 255 is exactly `blit`; 0, a negative one or none draws nothing.]],
    transform = [[
`zoomx` absent is 1, `zoomy` absent is `zoomx`; a negative zoom mirrors;
`smooth` filters. Quarter turns at zoom 1 are exact, other angles get
SDL_gfx's box (a pixel or so of clear border). Nothing for an empty source
(0 wide or high), a zoom of 0, an angle or zoom that is not finite, a result
past 16383 pixels either way, or before `init` / after `quit` (no display to
convert for).]],
    setTitle = [[
A number is its text; anything else, and any call before `init`, is ignored
(start-up leaves the title empty: call it after `init`).]],
    textSize = [[
Empty text is 0 wide and the font's height tall; no live font or no text:
no values.]],
    fontStyle = [[
Bold 1, italic 2, underline 4, added together, or 0 plain, for every later
`printFont` and `textSize` with that font. Other bits are ignored; the
console's font is not affected.]],
    getpix = [[
Outside the target, before `init` with no target, or on an OpenGL screen: no
values; alpha is 255 on the screen. The position is read whole, not cut to
16 bits as the drawing calls' are: 65536 is outside every target.]],
    saveImage = [[
The screen (target nil) or a surface is written as a PNG file: RGB for the
screen, RGBA for a surface with alpha. The reasons when it is not:
`no screen (before init or after quit)`, `not a live surface`,
`an OpenGL screen has no pixels to save`, `no file name`,
`an image of 0x3 pixels cannot be written`,
`cannot write 'PATH': <system error>` (no half-written file is left).]],
    drivers = [[
The names SDL gives the drivers (`x11`, `dummy`; `pulse`, `alsa`, `disk`).
Nil for one that is not running: both before `init` and after `quit`, audio
with no sound card.]],
    stopSounds = [[
No-op with no sound card, before `init` and after `quit`.]],
    stopMusic = [[
No-op with no sound card, before `init` and after `quit`.]],
    fadeMusic = [[
0 or less stops at once; paused music stops at once (a fade cannot run while
paused); later `playMusic`, `freeMusic` and `quit` end a fade still running
instead of waiting for it, so no order of these calls hangs. No-op with no
sound card, before `init` and after `quit`.]],
    soundVolume = [[
More than 128 is 128; -1 only reads. No values without a live sound or a
sound card.]],
    textInput = [[
It may be turned on before `init` and survives a new `init`.]],
    typed = { text = [[
With text input on, the UTF-8 text of the key press that `input` last
returned (`"a"`, `"A"` with Shift, `"é"`). Nil after any other event (key
up, mouse, none), for keys that type nothing printable (Backspace, Return,
arrows: read those as key codes) and with text input off.]],
      example = [[
x.textInput(true)
repeat
    local ev, key = z.input()
    local t = x.typed()
    if t then name = name .. t end
until ev == 0]] },
    keyRepeat = [[
Only with a window (start-up turns repeat off: call it after `init`);
negative values are ignored.]],
    catchClose = { text = [[
With it on, the script can save and `quit` when the window is closed. Off
(the default), `input` is exactly as before: the close request ends the
process with status 0.]],
      example = [[
x.catchClose(true)
-- in the event loop:
if ev == 5 then save_game(); z.quit(); os.exit(0) end]] },
    probe = [[
The load runs in a child process, so the script loads nothing and a library
that crashes or hangs on a broken file ends only the child. The reason is
the library's own when it refuses the file (`Unsupported image format`,
`Couldn't open F`), else one of `SDL_image crashed reading it (signal 11)`,
`... took over 60 seconds reading it`, `... could not read it (exit status
N)`, `cannot check it: <system error>`. With no sound card sounds and music
are still checked (the child opens the mixer on SDL's silent disk driver).
It works before `init` and after `quit`. An unknown kind gives
`kind must be "image", "font", "sound" or "music"`, and no path
`no file name`.]],
}
return api
