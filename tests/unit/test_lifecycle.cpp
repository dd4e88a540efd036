// What a careless script does (nothing may crash or touch freed memory), as
// the registry counts it. (The fatal load lines: the script cases.)
#include "harness.h"

static const char *const kLoad =
    R"~(BEEP = TMP .. "/beep.wav" os.execute("sox -n -r 44100 -c 2 -b 16 " .. BEEP .. " synth 0.02 sine 440")
    FONT = Z.loadFont(")~" SANS R"~(", 14) S = Z.makeSurf(16, 16)
    SND = Z.loadSound(BEEP) MUS = Z.loadMusic(BEEP) )~";

TEST_F(Engine, OnlyTheMatchingFreeReleasesAHandleAndStaleOrForgedOnesAreIgnored)
{
    run(std::string("Z.init(64, 48) Z.fill(0, 0, 0, 0, 0, 0, 0, 255) BASE = live() ") + kLoad);
    int fake = 0;
    lua_pushlightuserdata(L, &fake);
    lua_setglobal(L, "FORGED");
    lua_pushlightuserdata(L, reinterpret_cast<char *>(gScreen) + 8);
    lua_setglobal(L, "INSIDE");
    run(R"~(local frees = {freeSurf = S, freeFont = FONT, freeSound = SND, freeMusic = MUS}
        for name in pairs(frees) do
            for other, h in pairs(frees) do if other ~= name then Z[name](h) end end
            Z[name]() Z[name](0) Z[name]("x") Z[name]({}) Z[name](io.stdout)
        end
        K = Z.printFont(FONT, 'ok', 255, 255, 255, 0, 0, nil, true)
        assert(live() == BASE + 5) -- and the kept text
        Z.freeSurf(K)
        for _ = 1, 2 do Z.freeSurf(S) Z.freeFont(FONT) Z.freeSound(SND) Z.freeMusic(MUS) end
        for _, h in ipairs{S, FONT, SND, MUS, FORGED, INSIDE} do
            Z.blit(h, 0, 0) Z.blit(h, 0, 0, h) Z.fill(0, 0, 4, 4, 255, 0, 0, 255, h)
            Z.putpix(1, 1, 255, 0, 0, 255, h) Z.draw(0, 0, 9, 9, 255, 0, 0, 255, 1, 2, h)
            Z.drawTri(0, 0, 9, 0, 0, 9, 255, 0, 0, 255, 2, h)
            Z.printFont(h, "text", 255, 0, 0, 0, 0) Z.printFont(FONT, "text", 255, 0, 0, 0, 0, h)
            assert(select("#", Z.printFont(h, "text", 255, 0, 0, 0, 0, nil, true)) == 0)
            Z.playSound(h, 0) Z.playMusic(h, 0)
            Z.freeSurf(h) Z.freeFont(h) Z.freeSound(h) Z.freeMusic(h)
        end
        assert(only(0, 0, 0, 0, 0, 0) and mixer() + select(2, mixer()) + live() == BASE))~");
    EXPECT_EQ(fake, 0);
}

TEST_F(Engine, EveryFunctionBeforeStartUpAndAfterQuitIsNeutral)
{
    run(R"~(function EVERY()
        local r = {select("#", Z.input()), Z.input(), select("#", Z.mouse(1)), Z.mouse(1)}
        r[6], r[7] = tostring(r[6]), tostring(Z.isKeyDown(27))
        Z.fill(0, 0, 0, 0, 1, 2, 3, 255) Z.putpix(1, 1, 1, 2, 3, 255)
        Z.draw(0, 0, 9, 9, 1, 2, 3, 255, 2, 2) Z.drawTri(0, 0, 9, 0, 0, 9, 1, 2, 3, 255, 1)
        Z.blit(nil, 0, 0) Z.flip() Z.showCursor(true) Z.timer() Z.printFont(nil, "x", 1, 2, 3, 0, 0)
        Z.curses_addch("A", 0, 0) Z.curses_setcol(0, 0, 1, 2, 3) Z.curses_fill(0, 0, 2, 2, "#")
        Z.curses_refresh() Z.playSound(nil, 0) Z.playMusic(nil, 0) Z.pauseMusic()
        r[8] = select("#", Z.loadSound("/no/such.wav")) + select("#", Z.loadMusic("/no.ogg")) +
               select("#", Z.musicVolume(-1))
        assert(table.concat(r, " ") == "1 0 3 0 0 false false 0", table.concat(r, " "))
    end)~");
    for (const char *step :
         {"", "Z.init(64, 48) Z.quit()", "Z.curses_init(4, 2, '" MONO "', 10) Z.quit() Z.quit()"}) {
        run(std::string(step) + " EVERY()");
        SDL_GetKeyState(nullptr)[27] = SDL_PRESSED; // held when the next quit comes
    }
    SDL_GetKeyState(nullptr)[27] = SDL_RELEASED;
}

TEST_F(Engine, QuitReleasesLibraryHandlesAndKeepsSurfaces)
{
    run(std::string("BASE = live() Z.init(64, 48) ") + kLoad +
        "Z.playMusic(MUS, -1) Z.playSound(SND, -1)");
    run("N = live() T = {} for i = 1, 400 do T[i] = Z.makeSurf(1, 1) end " // past freed slots
        "for k = 1, 2 do for i = k, 400, 2 do Z.freeSurf(T[i]) end end assert(live() == N)");
    run(std::string(R"~(Z.fill(0, 0, 0, 0, 0, 255, 0, 255, S) Z.quit() Z.blit(S, 0, 0)
        assert(live() == BASE + 1) -- the surface
        Z.init(32, 32) Z.freeFont(FONT) Z.freeSound(SND) Z.freeMusic(MUS)
        Z.printFont(FONT, "gone", 255, 255, 255, 0, 0) Z.playSound(SND, 0) Z.playMusic(MUS, 0)
        Z.fill(0, 0, 0, 0, 0, 0, 0, 255) Z.blit(S, 2, 3)
        assert(only(2, 3, 18, 19, 0x00FF00, 0) and mixer() + select(2, mixer()) == 0)
        )~") +
        kLoad + "Z.playSound(SND, -1) assert(mixer() == 1)"); // new ones work as before
}
