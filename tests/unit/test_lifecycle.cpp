// What a careless script does: double frees, frees of the wrong kind, stale
// and forged handles, every function before start-up and after quit, and a
// full restart. None of it may crash or touch freed memory (the sanitizer
// build runs these too).
#include <string>

#include <SDL_mixer.h>

#include "handles.h"
#include "harness.h"

static const std::string kLoad = R"(
    FONT = Z.loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 14)
    S = Z.makeSurf(16, 16)
    SND = Z.loadSound(BEEP)
    MUS = Z.loadMusic(BEEP)
)";

class LifecycleTest : public ScratchTest
{
  protected:
    void SetUp() override
    {
        ScratchTest::SetUp();
        set_string(L, "BEEP", make_sound("beep.wav", "synth 0.02 sine 440"));
    }
    // Pushes an arbitrary pointer as a light userdata global, as no script
    // can but a foreign library could.
    void forge(const char *name, void *p)
    {
        lua_pushlightuserdata(L, p);
        lua_setglobal(L, name);
    }
};

TEST_F(LifecycleTest, DoubleAndWrongKindFreesDoNothing)
{
    run(L, "Z.init(64, 48)" + kLoad);
    EXPECT_EQ(handle_count(), 4u);
    // Each free function given every other kind: nothing is freed.
    run(L, R"(
        for _, h in ipairs{S, SND, MUS} do Z.freeFont(h) end
        for _, h in ipairs{FONT, SND, MUS} do Z.freeSurf(h) end
        for _, h in ipairs{S, FONT, MUS} do Z.freeSound(h) end
        for _, h in ipairs{S, FONT, SND} do Z.freeMusic(h) end
        for _, f in ipairs{Z.freeSurf, Z.freeFont, Z.freeSound, Z.freeMusic} do
            f(); f(nil); f(0); f("x"); f({}); f(io.stdout)
        end)");
    EXPECT_EQ(handle_count(), 4u);
    // Still usable: the font renders, the surface takes pixels.
    run(L, "K = Z.printFont(FONT, 'ok', 255, 255, 255, 0, 0, nil, true); assert(K)");
    run(L, R"(
        Z.freeSurf(S); Z.freeSurf(S)
        Z.freeFont(FONT); Z.freeFont(FONT)
        Z.freeSound(SND); Z.freeSound(SND)
        Z.freeMusic(MUS); Z.freeMusic(MUS))");
    EXPECT_EQ(handle_count(), 1u); // the kept text surface
    run(L, "Z.freeSurf(K)");
    EXPECT_EQ(handle_count(), 0u);
}

TEST_F(LifecycleTest, StaleAndForgedHandlesAreIgnored)
{
    run(L, "Z.init(64, 48)" + kLoad);
    run(L, "Z.fill(0, 0, 0, 0, 0, 0, 0, 255)");
    int fake = 0;
    forge("FORGED", &fake);
    forge("INSIDE", reinterpret_cast<char *>(gScreen) + 8);
    run(L, "Z.freeSurf(S); Z.freeFont(FONT); Z.freeSound(SND); Z.freeMusic(MUS)");
    EXPECT_EQ(handle_count(), 0u);
    run(L, R"(
        for _, h in ipairs{S, FONT, SND, MUS, FORGED, INSIDE} do
            Z.blit(h, 0, 0)
            Z.blit(h, 0, 0, h)
            Z.fill(0, 0, 4, 4, 255, 0, 0, 255, h)
            Z.putpix(1, 1, 255, 0, 0, 255, h)
            Z.draw(0, 0, 9, 9, 255, 0, 0, 255, 1, 2, h)
            Z.drawTri(0, 0, 9, 0, 0, 9, 255, 0, 0, 255, 2, h)
            Z.printFont(h, "text", 255, 0, 0, 0, 0)
            assert(select("#", Z.printFont(h, "text", 255, 0, 0, 0, 0, nil, true)) == 0)
            Z.printFont(FONT, "text", 255, 0, 0, 0, 0, h)
            Z.playSound(h, 0); Z.playMusic(h, 0)
            Z.freeSurf(h); Z.freeFont(h); Z.freeSound(h); Z.freeMusic(h)
        end)");
    EXPECT_EQ(fake, 0);
    // Nothing reached the screen through a stale or forged target.
    EXPECT_EQ(pixel_rgb(gScreen, 1, 1), 0u);
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

// Every function with ordinary arguments, no handle of the script's own.
static const char *kEveryCall = R"(
    local out = {}
    out.input = {Z.input()}
    out.mouse = {Z.mouse(1)}
    out.key = {Z.isKeyDown(27)}
    Z.fill(0, 0, 0, 0, 1, 2, 3, 255); Z.putpix(1, 1, 1, 2, 3, 255)
    Z.draw(0, 0, 9, 9, 1, 2, 3, 255, 2, 2); Z.drawTri(0, 0, 9, 0, 0, 9, 1, 2, 3, 255, 1)
    Z.blit(nil, 0, 0); Z.flip(); Z.showCursor(true); Z.timer()
    Z.printFont(nil, "x", 1, 2, 3, 0, 0)
    Z.curses_addch("A", 0, 0); Z.curses_setcol(0, 0, 1, 2, 3); Z.curses_fill(0, 0, 2, 2, "#")
    Z.curses_refresh()
    out.sound = {Z.loadSound("/no/such.wav"), Z.loadMusic("/no/such.ogg"), Z.musicVolume(-1)}
    Z.playSound(nil, 0); Z.playMusic(nil, 0); Z.pauseMusic()
    return #out.input, out.input[1], #out.mouse, out.mouse[1], out.mouse[2], out.mouse[3],
           out.key[1], #out.sound
)";

static void expect_neutral(lua_State *L, int n)
{
    ASSERT_EQ(n, 8);
    EXPECT_EQ(lua_tonumber(L, -8), 1); // input: one value
    EXPECT_EQ(lua_tonumber(L, -7), 0); //   the no-event code
    EXPECT_EQ(lua_tonumber(L, -6), 3); // mouse: x, y, held
    EXPECT_EQ(lua_tonumber(L, -5), 0);
    EXPECT_EQ(lua_tonumber(L, -4), 0);
    EXPECT_FALSE(lua_toboolean(L, -3));
    EXPECT_FALSE(lua_toboolean(L, -2)); // isKeyDown
    EXPECT_EQ(lua_tonumber(L, -1), 0);  // audio: nothing loaded, nothing returned
    lua_settop(L, 0);
}

TEST_F(LifecycleTest, EveryFunctionBeforeStartUpAndAfterQuitIsNeutral)
{
    expect_neutral(L, run(L, kEveryCall));
    run(L, "Z.init(64, 48)");
    SDL_WarpMouse(10, 10);
    SDL_GetKeyState(nullptr)[27] = SDL_PRESSED;
    run(L, "Z.quit()");
    expect_neutral(L, run(L, kEveryCall));
    run(L, "Z.curses_init(4, 2, '/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf', 10)");
    run(L, "Z.quit(); Z.quit()");
    expect_neutral(L, run(L, kEveryCall));
}

TEST_F(LifecycleTest, QuitReleasesLibraryHandlesAndKeepsSurfaces)
{
    run(L, "Z.init(64, 48)" + kLoad + "Z.playMusic(MUS, -1); Z.playSound(SND, -1)");
    run(L, "Z.fill(0, 0, 0, 0, 0, 255, 0, 255, S)");
    run(L, "Z.quit()");
    // Fonts, sounds and music went with their libraries; the surface stays,
    // and with no display there is nowhere to blit it.
    EXPECT_EQ(handle_count(), 1u);
    run(L, "Z.blit(S, 0, 0)");
    // A full restart works, and the old handles are stale, not dangerous.
    run(L, "Z.init(32, 32)");
    ASSERT_NE(gScreen, nullptr);
    EXPECT_EQ(gScreen->w, 32);
    run(L, R"(
        Z.freeFont(FONT); Z.freeSound(SND); Z.freeMusic(MUS)
        Z.printFont(FONT, "gone", 255, 255, 255, 0, 0)
        Z.playSound(SND, 0); Z.playMusic(MUS, 0)
        Z.fill(0, 0, 0, 0, 0, 0, 0, 255)
        Z.blit(S, 2, 3))");
    EXPECT_EQ(pixel_rgb(gScreen, 2, 3), 0x00FF00u);
    EXPECT_EQ(pixel_rgb(gScreen, 18, 3), 0u);
    EXPECT_EQ(Mix_Playing(-1), 0);
    // New resources after the restart work as before.
    run(L, kLoad + "Z.playSound(SND, 0)");
    EXPECT_EQ(Mix_Playing(-1), 1);
    run(L, "Z.quit()");
}

TEST_F(LifecycleTest, TextCutInsideAUtf8SequenceRendersSafely)
{
    run(L, "Z.init(64, 32)" + kLoad);
    // Cut sequences draw (or not) without reading past the string; whole
    // text renders as before.
    run(L, R"(
        for _, t in ipairs{"\255\254", "ab\226\130", "\240", "x\195", "\226\130", "\240\159\152"} do
            Z.printFont(FONT, t, 255, 255, 255, 0, 0)
            local h = Z.printFont(FONT, t, 255, 255, 255, 0, 0, nil, true)
            if h then Z.freeSurf(h) end
        end
        local h, w = Z.printFont(FONT, "\226\130\172", 255, 255, 255, 0, 0, nil, true)
        assert(h and w > 0)
        Z.freeSurf(h))");
}
