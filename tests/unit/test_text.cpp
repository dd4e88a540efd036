// Text, checked pixel for pixel against the font library's own rendering of
// the same text. (What loadFont returns is the script cases'.)
#include "harness.h"

TEST_F(Engine, PrintFontDrawsOrKeepsTheRenderedText)
{
    run("Z.init(160, 80) F = Z.loadFont('" SANS "', 16) T = Z.makeSurf(120, 40)");
    auto *font = static_cast<TTF_Font *>(ptr("F"));
    auto *t = static_cast<SDL_Surface *>(ptr("T"));
    // Draw mode: r, g, b, x, y (target, keep) as the script passes them.
    const struct {
        const char *args;
        SDL_Color colour;
        Sint16 x, y;
        SDL_Surface *on, *off;
    } rows[] = {
        {"255, 128, 0, 10.9, 20.9", {255, 128, 0, 0}, 10, 20, gScreen, t},
        {"256, -1, 511, -3.9, -4.9, nil, false", {0, 255, 255, 0}, -3, -4, gScreen, t},
        {"'200', 100.7, 50, 65536 + 150, 70, nil, nil", {200, 100, 50, 0}, 150, 70, gScreen, t},
        {"1, 2, 3, 4, 2, T, false", {1, 2, 3, 0}, 4, 2, t, gScreen},
    };
    for (const auto &r : rows) {
        run("Z.fill(0, 0, 0, 0, 16, 32, 48, 255) Z.fill(0, 0, 0, 0, 0, 0, 0, 255, T)");
        SDL_Surface *want = SDL_ConvertSurface(r.on, r.on->format, r.on->flags);
        SDL_Surface *off = SDL_ConvertSurface(r.off, r.off->format, r.off->flags);
        SDL_Surface *text = TTF_RenderUTF8_Blended(font, "Hello, world", r.colour);
        SDL_Rect at = {r.x, r.y, 0, 0};
        SDL_BlitSurface(text, nullptr, want, &at);
        EXPECT_EQ(run(std::string("return Z.printFont(F, 'Hello, world', ") + r.args + ")"), 0);
        for (auto [got, expected] : {std::pair{r.on, want}, {r.off, off}})
            EXPECT_EQ(memcmp(got->pixels, expected->pixels, got->pitch * got->h), 0) << r.args;
        SDL_FreeSurface(text);
        SDL_FreeSurface(want);
        SDL_FreeSurface(off);
    }
    // Keep mode: a new surface of the text's size with the text in its
    // colour, the display untouched; any keep value but nil and false keeps.
    run("Z.fill(0, 0, 0, 0, 0, 0, 0, 255)");
    for (const char *keep : {"true", "0", "'no'"})
        for (const char *text : {"Score: 12345", "Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC"}) {
            ASSERT_EQ(run(std::string("K, W, H = Z.printFont(F, '") + text +
                          "', 0, 200, 100, 5, 5, nil, " + keep + ") return K"),
                      1);
            auto *s = static_cast<SDL_Surface *>(lua_touserdata(L, -1));
            int w, h;
            TTF_SizeUTF8(font, text, &w, &h);
            EXPECT_TRUE(s->w == w && s->h == h && s->format->Amask) << text;
            lua_settop(L, 0);
            run(R"~(local lit = false
                for y = 0, H - 1 do for x = 0, W - 1 do lit = lit or px(x, y, K) == 0x00C864 end end
                assert(lit and pa(0, 0, K) < 0x80000000 and select(2, pa(0, 0, K)) == W))~");
        }
    // Nothing to render, or nowhere to draw it: no results, no pixels.
    run(R"~(for _, args in ipairs{"F, ''", "F, nil", "F, {}", "F, '\\0hidden'", "T, 'x'", "nil, 'x'"} do
            for _, tail in ipairs{")", ", nil, false)", ", nil, true)"} do
                local code = "printFont(" .. args .. ", 255, 255, 255, 0, 0" .. tail
                assert(select("#", call(code)) == 0, code)
            end
        end
        assert(only(0, 0, 0, 0, 0, 0)))~");
    // Keep mode goes by the video mode, not by gScreen (the host's to change).
    SDL_Surface *screen = gScreen;
    gScreen = nullptr;
    EXPECT_EQ(run("return Z.printFont(F, 'lost', 255, 255, 255, 0, 0)"), 0);
    EXPECT_EQ(run("return Z.printFont(F, 'kept', 255, 255, 255, 0, 0, nil, true)"), 3);
    gScreen = screen;
}
