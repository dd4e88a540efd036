// zedodava.extra through its Lua interface, as X. push(type, key, char)
// queues an event: a key press (type 2) or a close request (type 12).
#include "harness.h"

static int l_push(lua_State *L)
{
    SDL_Event e = {};
    e.type = static_cast<Uint8>(lua_tonumber(L, 1));
    e.key.keysym.sym = static_cast<SDLKey>(lua_tonumber(L, 2));
    e.key.keysym.unicode = static_cast<Uint16>(lua_tonumber(L, 3));
    return SDL_PushEvent(&e), 0;
}

static const char *const kFiles = R"~(BEEP, NOTES = TMP .. "/beep.wav", TMP .. "/notes.txt"
    os.execute("sox -n -r 44100 -c 2 -b 16 " .. BEEP .. " synth 0.3 sine 440 && echo not a sound >" .. NOTES) )~";

// A sheet of four 2x3 frames, red, green, blue, white, the top two rows
// opaque; text sizes. (The pixels of the loops: test_fastpath.cpp.)
TEST_F(Engine, ExtraSpritesAndText)
{
    run(R"~(Z.init(24, 16) SHEET, RED = Z.makeSurf(8, 3), Z.makeSurf(2, 2)
    Z.fill(0, 0, 0, 0, 0, 0, 0, 0, SHEET) Z.fill(0, 0, 0, 0, 255, 0, 0, 255, RED)
    for i, c in ipairs{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}} do
        Z.fill(2 * i - 2, 0, 2, 2, c[1], c[2], c[3], 255, SHEET)
    end
    for _, r in ipairs{{"X.blitPart(SHEET, 4, 0, 2, 3, 5, 6)", 5, 6, 7, 8, 0x0000FF},
                       {"X.blitPart(SHEET, 6, -1, 5, 3, -1, 2)", 0, 3, 1, 5, 0xFFFFFF},
                       {"X.blitPart(SHEET, 2, 0, 0, 3, 5, 6) X.blitPart(SHEET, 2, 0, 2, -3, 5, 6)", 0, 0, 0, 0},
                       {"X.blitScaled(SHEET, 1, 2, 1, 4) X.blitScaled(SHEET, 1, 2, 16, 0)", 1, 2, 2, 5, 0xFF0000},
                       {"X.blitAlpha(RED, 0, 0, 300)", 0, 0, 2, 2, 0xFF0000}, {"X.blitAlpha(RED, 0, 0, 128)", 0, 0, 2, 2, 0x7F0000},
                       {"X.blitAlpha(RED, 0, 0, -1) X.blitAlpha(RED, 0, 0)", 0, 0, 0, 0}} do
        Z.fill(0, 0, 0, 0, 0, 0, 0, 255) assert((loadstring or load)(r[1]))()
        local ok, why = only(r[2], r[3], r[4], r[5], r[6] or 0, 0)
        assert(ok, r[1] .. ": " .. tostring(why))
    end
    -- A quarter turn counter-clockwise: the top row is the left column, red at the bottom.
    for _, a in ipairs{90, -270, 450} do
        local t, w, h = X.transform(SHEET, a, nil, nil, false)
        assert(w == 3 and h == 8 and px(0, 7, t) == 0xFF0000 and px(1, 0, t) == 0xFFFFFF and pa(2, 0, t) == 0, a)
    end
    local t = X.transform(SHEET, 30) assert(live() == 6) Z.freeSurf(t) assert(live() == 5)
    assert(select(2, X.transform(SHEET, 0, 2, -1, true)) == 16 and select(3, X.transform(SHEET, 0, 2, -1)) == 3)
    for _, args in ipairs{{0 / 0}, {1 / 0}, {0, 0}, {0, 1, 0}, {0, 3000}, {45, 0 / 0}} do
        assert(select("#", X.transform(SHEET, (unpack or table.unpack)(args))) == 0, args[1])
    end
    for _, e in ipairs{Z.makeSurf(0, 5), Z.makeSurf(5, 0)} do -- empty: nothing, mirrored or not
        assert(select("#", X.transform(e, 0, -1)) + select("#", X.transform(e, 30, 2, 2, true)) == 0) Z.freeSurf(e)
    end
    F = Z.loadFont(')~" SANS R"~(', 15)
    for _, t in ipairs{"Gr\195\188\195\159", 42, "cut \226\130", "Wide"} do -- the last one bold
        if t == "Wide" then PLAIN = X.textSize(F, t) X.fontStyle(F, 1 + 8) end
        local _, w, h = Z.printFont(F, t, 1, 1, 1, 0, 0, nil, true)
        assert(X.textSize(F, t) == w and select(2, X.textSize(F, t)) == h and (t ~= "Wide" or w > PLAIN), t)
    end
    assert(X.textSize(F, "") == 0 and select(2, X.textSize(F, "")) > 0 and select("#", X.textSize(F)) == 0)
    T = X.transform(SHEET, 30) Z.blit(T, 0, 0) Z.quit() -- and it outlives quit as a plain surface
    assert(select("#", X.getpix(0, 0, T)) == 4 and select("#", X.transform(SHEET, 10)) == 0))~");
}

// typed gives the text of the press input just returned; a close request is
// event 5 while catchClose is on.
TEST_F(Engine, ExtraTypedTextAndTheCloseRequest)
{
    lua_register(L, "push", l_push);
    run(R"~(X.textInput(true) Z.init(8, 8)
    for _, r in ipairs{{97, "a"}, {0xE9, "\195\169"}, {0x20AC, "\226\130\172"}, {8, nil}, {13, nil},
                       {0x7F, nil}, {0xD800, nil}, {0}} do
        push(2, 42, r[1]) local e, k = Z.input()
        assert(e == 1 and k == 42 and X.typed() == r[2] and Z.input() == 0 and X.typed() == nil, r[1])
    end
    push(2, 42, 97) X.textInput(false) Z.input() assert(X.typed() == nil)
    X.catchClose(true) push(12) assert(Z.input() == 5 and select("#", Z.input()) == 1))~");
    EXPECT_EXIT((run("X.catchClose(false) push(12) Z.input()"), exit(3)),
                testing::ExitedWithCode(0), "");
    run("X.catchClose(false) X.textInput(false)");
}

// A probe loads in a process of its own: the library's reason comes back,
// nothing is loaded or started here, with or without a sound card.
TEST_F(Engine, ExtraProbeReportsWhatTheLoaderSays)
{
    run(kFiles);
    for (const char *start : {"", "Z.init(8, 8)"}) {
        run(std::string(start) + R"~( BASE = live()
        for _, r in ipairs{{BEEP, "sound"}, {BEEP, "music"}, {')~" SANS
                                 R"~(', "font"}, {nil, "font", "no file name"},
                           {NOTES, "sound", "Unrecognized sound file type"}, {NOTES, "music", "Module format not recognized"},
                           {NOTES, "image", "Unsupported image format"}, {TMP .. "/no.ttf", "font", "Couldn't open " .. TMP .. "/no.ttf"},
                           {NOTES, "picture", 'kind must be "image", "font", "sound" or "music"'}} do
            local ok, why = X.probe(r[1], r[2])
            assert(ok == (not r[3] or nil) and why == r[3] and live() == BASE, tostring(why))
        end)~");
        EXPECT_EQ(TTF_WasInit() != 0, start[0] != 0) << start;
    }
    env("SDL_AUDIODRIVER", "no-such-driver");
    run(R"~(Z.quit() Z.init(8, 8) assert(select(2, X.drivers()) == nil)
    assert(X.probe(BEEP, "sound") and not X.probe(NOTES, "music")))~");
}
