-- Cases that need a process of their own (standard output, exit status, each
-- interpreter's view of the results), run as `INTERPRETER cases.lua NAME`;
-- NAME.out holds the output, tests/CMakeLists.txt the status and environment.
local x = require "zedodava.extra" -- before the module that serves it
local z = require "zedodava"
local FONTS = "/usr/share/fonts/truetype/dejavu/DejaVuSans"
local function count(...) return select("#", ...) end
local function example(file, frames)
    arg = {"--frames", frames}
    dofile(os.getenv("ZD_TESTS") .. "/../examples/" .. file)
end
local case = {}

function case.banner() -- ends in the OpenGL mode the dummy driver cannot set
    z.init(640, 480) z.flip() z.quit()
    z.init(320.9, 200.2, true) z.quit()
    z.init(64, 48, nil, false) z.quit()
    z.init(640, 480, 0, 0)
end

function case.mixer_off() -- reported, and the engine runs on silently
    z.init(64, 48)
    print(count(z.loadSound("no/such.wav")), count(z.loadMusic("no/such.ogg")))
    z.quit()
end

function case.no_audio_no_font() -- the mixer's line comes before the font's
    z.curses_init(20, 5, "/nonexistent/zedodava.ttf", 16)
end

function case.no_video() z.curses_init(80, 25, FONTS .. "Mono.ttf", 16) end

function case.console() -- cell sizes, a second start-up, writes after quit
    print(z.curses_init(80.9, 25.9, FONTS .. "Mono.ttf", 16.7))
    z.curses_fill(0, 0, 80, 25, ".", 255, 255, 255, 0, 0, 0)
    z.curses_addch("@", 40, 12)
    z.curses_refresh()
    print(z.curses_init(40, 10, FONTS .. "Mono.ttf", 8))
    z.quit()
    z.curses_addch("x", 0, 0) z.curses_fill(0, 0, 10, 10, "x", 1, 2, 3, 4, 5, 6) z.curses_refresh()
end

function case.results() -- whole numbers print as integers on every interpreter
    z.init(64, 32)
    local wav = os.getenv("ZD_TMP") .. "/beep.wav"
    os.execute("sox -D -n -r 44100 -c 2 -b 16 " .. wav .. " synth 0.05 sine 880")
    local s, m = z.loadSound(wav), z.loadMusic(wav)
    print(type(s), type(m), z.musicVolume(-1), z.musicVolume(64), z.musicVolume(-1), z.input())
    -- the advance of a fixed-width face, 0 for a proportional one; sizes truncate
    local _, a0 = z.loadFont(FONTS .. ".ttf", 12)
    local mono, a1 = z.loadFont(FONTS .. "Mono.ttf", 12.9)
    local t, w, h = z.printFont(mono, "abc", 255, 255, 255, 0, 0, nil, true)
    print(a0, a1, type(t), w, h, select(2, z.makeSurf(3, 2)))
    z.quit()
end

function case.end_without_quit() z.init(32, 32) z.flip() end -- while the mixer's thread runs
function case.error_without_quit() z.init(32, 32) error("game over") end
function case.breakout() example("breakout.lua", "200") end
function case.roguelike() example("roguelike.lua", "90") end
function case.asteroids() example("asteroids.lua", "300") end

-- The first game of README.md as printed there, Escape pressed after 30 frames.
function case.readme()
    local f = assert(io.open(os.getenv("ZD_TESTS") .. "/../README.md"))
    local code = assert(f:read("*a"):match("## A first game.-```lua\n(.-)```"), "no game in README.md")
    local input, flip, frames, pressed = z.input, z.flip, 0, false
    z.flip = function() frames = frames + 1 flip() end
    z.input = function()
        if frames < 30 or pressed then return input() end
        pressed = true
        return 1, 27
    end
    assert((loadstring or load)(code, "README"))()
    assert(frames == 31, frames) -- the frame that saw Escape is finished and shown
end

function case.require()
    local keys, n = require "zedodava.keys", 0
    for _ in pairs(z) do n = n + 1 end
    assert(n == 32 and require "zedodava" == z and zedodava == z and require "zedodava.extra" == x)
    assert(x.probe and not x.init and not z.probe)
    assert(keys.escape == 27 and keys["return"] == 13 and keys.left == 276 and keys.f1 == 282)
    assert(keys.button.right == 3 and keys.button.wheeldown == 5 and keys.event.mouseup == 4)
end

-- Checked mode: its table of mistakes, with a sound card and without; the
-- games again with `require "zedodava"` answered by checked mode, which must
-- raise no false alarm and print what the plain module prints.
function case.checked() dofile(os.getenv("ZD_TESTS") .. "/checked/mistakes.lua") end
case.checked_mute = case.checked
function case.shapes() example("shapes.lua", "60") end
for _, name in ipairs {"breakout", "roguelike", "shapes", "readme", "asteroids"} do
    case["checked_" .. name] = function()
        z = require "zedodava.checked"
        package.loaded.zedodava = z
        package.loaded["zedodava.extra"] = require "zedodava.extra.checked"
        case[name]()
    end
end

-- Ctrl-C in checked mode, most likely to land in timer's wait: reported at
-- the script's line, never inside a wrapper (lua5.1 prints it through
-- debug.traceback). The interrupt comes from a child, whenever it runs.
function case.checked_interrupt()
    local z = require "zedodava.checked"
    local pid = assert(io.open("/proc/self/stat")):read("*l"):match("^%d+")
    local ok, err = xpcall(function()
        os.execute(("(sleep 0.2; kill -INT %s) &"):format(pid))
        while true do z.timer(4) end
    end, debug.traceback)
    -- A hook that fires in the script's own code has no line to give, as in the plain module.
    local first = err:match("^[^\n]*")
    assert(not ok and (first == "interrupted!" or first:find("cases%.lua:%d+: interrupted!$")), err)
end

case[arg[1]]()
