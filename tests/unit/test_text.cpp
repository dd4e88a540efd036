// Fonts and text, checked pixel for pixel against the font library's own
// rendering of the same text.
#include "harness.h"

class Text : public Engine
{
  protected:
    void SetUp() override
    {
        Engine::SetUp();
        run(L, "Z.init(160, 80) F = Z.loadFont('" SANS "', 16) T = Z.makeSurf(120, 40)");
        font = static_cast<TTF_Font *>(static_cast<void *>(global("F")));
    }
    TTF_Font *font = nullptr;
};

TEST_F(Text, LoadFontTruncatesTheSizeAndReportsTheAdvanceOfAFixedFace)
{
    for (auto [path, size, points] :
         {std::tuple{SANS, "12.9", 12}, {MONO, "16.9", 16}, {MONO, "'40'", 40}, {MONO, "13", 13}}) {
        ASSERT_EQ(run(L, std::string("return Z.loadFont('") + path + "', " + size + ")"), 2);
        auto *f = static_cast<TTF_Font *>(lua_touserdata(L, -2));
        TTF_Font *direct = TTF_OpenFont(path, points);
        int want = 0, w, h, want_w, want_h;
        if (path == std::string(MONO))
            TTF_GlyphMetrics(direct, 'a', nullptr, nullptr, nullptr, nullptr, &want);
        TTF_SizeUTF8(f, "Truncation", &w, &h);
        TTF_SizeUTF8(direct, "Truncation", &want_w, &want_h);
        TTF_CloseFont(direct);
        EXPECT_EQ(num(-1), want) << size;
        EXPECT_EQ(w * 1000 + h, want_w * 1000 + want_h) << size;
        lua_settop(L, 0);
    }
}

TEST_F(Text, DrawModeBlitsTheRenderedTextAtTheTruncatedPosition)
{
    SDL_Surface *target = global("T");
    const struct {
        const char *args; // r, g, b, x, y (target, keep) as the script passes them
        SDL_Color colour;
        Sint16 x, y;
        bool on_t;
    } rows[] = {
        {"255, 128, 0, 10.9, 20.9", {255, 128, 0, 0}, 10, 20, false},
        {"256, -1, 511, -3.9, -4.9, nil, false", {0, 255, 255, 0}, -3, -4, false},
        {"'200', 100.7, 50, 65536 + 150, 70, nil, nil", {200, 100, 50, 0}, 150, 70, false},
        {"1, 2, 3, 4, 2, T, false", {1, 2, 3, 0}, 4, 2, true},
    };
    for (const auto &r : rows) {
        SDL_FillRect(gScreen, nullptr, SDL_MapRGB(gScreen->format, 0x10, 0x20, 0x30));
        SDL_FillRect(target, nullptr, 0);
        SDL_Surface *on = r.on_t ? target : gScreen, *off = r.on_t ? gScreen : target;
        SDL_Surface *want = SDL_ConvertSurface(on, on->format, on->flags);
        SDL_Surface *text = TTF_RenderUTF8_Blended(font, "Hello, world", r.colour);
        SDL_Rect at = {r.x, r.y, 0, 0};
        SDL_BlitSurface(text, nullptr, want, &at);
        std::vector<uint32_t> off_before = pixels(off);

        EXPECT_EQ(run(L, std::string("return Z.printFont(F, 'Hello, world', ") + r.args + ")"), 0);
        EXPECT_EQ(pixels(on), pixels(want)) << r.args;
        EXPECT_GT(count(on, uint32_t(r.colour.r) << 16 | r.colour.g << 8 | r.colour.b), 0);
        EXPECT_EQ(pixels(off), off_before) << r.args;
        SDL_FreeSurface(text);
        SDL_FreeSurface(want);
    }
}

TEST_F(Text, KeepModeReturnsTheTextAsANewSurface)
{
    std::vector<uint32_t> before = pixels(gScreen);
    for (const char *keep : {"true", "0", "'no'"}) { // any value but nil and false keeps
        for (const char *text : {"Score: 12345", "Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC"}) {
            ASSERT_EQ(run(L, std::string("return Z.printFont(F, '") + text +
                                 "', 0, 200, 100, 5, 5, nil, " + keep + ")"),
                      3);
            auto *s = static_cast<SDL_Surface *>(lua_touserdata(L, -3));
            int w, h;
            TTF_SizeUTF8(font, text, &w, &h);
            EXPECT_EQ(num(-2) * 1000 + num(-1), w * 1000 + h) << text;
            EXPECT_EQ(s->w * 1000 + s->h, w * 1000 + h) << text;
            EXPECT_NE(s->format->Amask, 0u);
            EXPECT_GT(count(s, 0x00C864), 0);
            lua_settop(L, 0);
        }
    }
    EXPECT_EQ(pixels(gScreen), before);
    // Nothing to render, or nowhere to draw it: no results, no pixels.
    for (const char *args : {"F, ''", "F, nil", "F, {}", "F, '\\0hidden'", "T, 'x'", "nil, 'x'"})
        for (const char *tail : {")", ", nil, false)", ", nil, true)"})
            EXPECT_EQ(
                run(L, std::string("return Z.printFont(") + args + ", 255, 255, 255, 0, 0" + tail),
                0)
                << args << tail;
    EXPECT_EQ(pixels(gScreen), before);
}

TEST_F(Text, KeepModeGoesByTheVideoModeNotByGScreen)
{
    SDL_Surface *screen = gScreen;
    gScreen = nullptr; // the host's to change
    EXPECT_EQ(run(L, "return Z.printFont(F, 'lost', 255, 255, 255, 0, 0)"), 0);
    EXPECT_EQ(run(L, "return Z.printFont(F, 'kept', 255, 255, 255, 0, 0, nil, true)"), 3);
    gScreen = screen;
    // Fonts started on their own: the render works, the conversion cannot.
    run(L, "Z.quit()");
    ASSERT_EQ(TTF_Init(), 0);
    run(L, "G = Z.loadFont('" SANS "', 12)");
    EXPECT_EQ(run(L, "return Z.printFont(G, 'no video', 255, 255, 255, 0, 0, nil, true)"), 0);
    EXPECT_EQ(run(L, "return Z.printFont(G, 'no video', 255, 255, 255, 0, 0)"), 0);
    run(L, "Z.freeFont(G)");
    TTF_Quit();
}
