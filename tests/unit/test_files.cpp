// Files the libraries under the module crash or hang on, made here. Music the
// mixer would crash or hang on is refused; the rest plays to its end (in the
// sanitizer build an overrun ends the test). The probe survives each crash.
#include "filecheck.h"
#include "harness.h"

static int l_hazard(lua_State *L)
{
    char why[320];
    return music_hazard(lua_tostring(L, 1), why, sizeof why) ? lua_pushstring(L, why), 1 : 0;
}

TEST_F(Engine, MusicTheMixerWouldCrashOnIsRefusedAndProbesSurviveBrokenFiles)
{
    lua_register(L, "hazard", l_hazard);
    run(R"~(local made = {}
    local function tone(opts) -- a tenth of a second made by sox, once for each way
        if made[opts] then return made[opts] end
        os.execute("sox -D -n " .. opts .. " " .. TMP .. "/tone synth 0.1 sine 440")
        local f = assert(io.open(TMP .. "/tone", "rb")) made[opts] = f:read("*a") f:close()
        return made[opts]
    end
    local function file(name, bytes, edit)
        local f = assert(io.open(TMP .. "/" .. name, "wb")) f:write(edit and edit(bytes) or bytes) f:close()
        return TMP .. "/" .. name
    end
    local function at(i, b) return function(s) return s:sub(1, i) .. b .. s:sub(i + #b + 1) end end
    local WAV, ID3 = tone("-r 22050 -c 1 -b 16 -t wav"), function(s) return "ID3\3\0\0\0\0\0\0" .. s end
    local rows = { -- name, how it is made, what the reason says if it is refused
        {"riff-length.wav", WAV, at(4, "\255\255\255\127")},
        {"list-junk.wav", WAV, function(s) return s:sub(1, 12) .. "LIST\4\0\0\0INFO" .. s:sub(13, 36) ..
                                                   "junk\2\0\0\0ab" .. s:sub(37) end},
        {"fmt-id.wav", WAV, at(12, "fmx "), "frees memory twice"},
        {"fmt-short.wav", WAV, at(16, "\8"), "fewer than 16"},
        {"data-id.wav", WAV, at(36, "dat "), "for ever"},
        {"id3-8000.bin", tone("-r 8000 -c 1 -t mp3"), ID3, "MPEG-2.5 layer III MP3 at 8000 Hz (mono)"},
        {"id3-44100.bin", tone("-r 44100 -c 1 -t mp3"), ID3},
        {"layer2-16000.mp3", tone("-r 16000 -c 2 -t mp2"), nil, "MPEG-2 layer II MP3 at 16000 Hz"},
        {"layer2-22050.MPG", tone("-r 22050 -c 1 -t mp2"), nil, "MPEG-2 layer II"},
        {"layer2-24000.mp3", tone("-r 24000 -c 2 -t mp2")}}
    for _, rc in ipairs{"8000 1", "8000 2", "11025 1", "12000 1", "12000 2", "16000 1", "22050 1",
                        "24000 1", "32000 1", "44100 1", "48000 1", "48000 2"} do
        local rate, c = rc:match("(%d+) (%d)")
        rows[#rows + 1] = {rate .. "-" .. c .. ".mp3", tone("-r " .. rate .. " -c " .. c .. " -t mp3"), nil,
                           tonumber(rate) < 12000 and "convert it: sox in.mp3 -r 44100 out.ogg" or nil}
    end
    Z.init(8, 8)
    for _, r in ipairs(rows) do
        local path = file(r[1], r[2], r[3])
        local why = hazard(path)
        assert((why == nil) == (r[4] == nil) and (not why or why:find(r[4], 1, true)), r[1] .. ": " .. tostring(why))
        if not why then
            local m = Z.loadMusic(path) Z.playMusic(m, 0)
            for _ = 1, 3000 do -- until it has played (a bound met only by a fault)
                if select(2, mixer()) == 0 then break end os.execute("sleep 0.01")
            end
            Z.freeMusic(m)
        end
    end
    local X, GIF = require "zedodava.extra", "GIF89a\1\0\1\0\128\0\0\255\255\255\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;"
    local XPM = '/* XPM */\nstatic char *x[] = {\n"4 3 2 1",\n"a c #FF0000",\n"b c #0000FF",\n"abab",\n"ba'
    for _, r in ipairs{{file("wide.gif", GIF, at(25, "K")), "image", "SDL_image"}, -- the image's width
                       {file("cut.xpm", XPM), "image", "SDL_image"},
                       {TMP .. "/fmt-id.wav", "music", "frees memory twice"},
                       {TMP .. "/8000-1.mp3", "music", "convert it"}} do
        local ok, why = X.probe(r[1], r[2])
        assert(not ok and why:find(r[3], 1, true), r[1] .. ": " .. tostring(why))
    end)~");
    EXPECT_FATAL_LINE("Z.loadMusic(TMP .. '/fmt-id.wav')",
                      "twice; rewrite it: sox in\\.wav out\\.wav\nCouldn't load music "
                      "[^\n]*/fmt-id\\.wav\\. Exiting\\.\n$");
}
