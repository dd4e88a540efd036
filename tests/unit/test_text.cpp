// Fonts and text: loadFont's advance and size, printFont's two modes checked
// pixel for pixel against the font library's own rendering, and the calls
// that have nothing to render.
#include "harness.h"

static const char *const SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
static const char *const MONO = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

static void paint(SDL_Surface *s, Uint8 r, Uint8 g, Uint8 b)
{
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, r, g, b, 255));
}

static std::string quoted(const char *s) { return std::string("'") + s + "'"; }

class TextTest : public LuaTest
{
  protected:
    void SetUp() override
    {
        LuaTest::SetUp();
        run(L, "Z.init(160, 80)");
        ASSERT_NE(gScreen, nullptr);
        font = load(SANS, "16");
        paint(gScreen, 0x10, 0x20, 0x30);
    }
    // Loads through the module; the font is also left in the global F.
    TTF_Font *load(const char *path, const char *size, int *advance = nullptr)
    {
        EXPECT_EQ(
            run(L, "local f, a = Z.loadFont(" + quoted(path) + ", " + size + ") F = f return f, a"),
            2);
        TTF_Font *f = static_cast<TTF_Font *>(lua_touserdata(L, -2));
        if (advance)
            *advance = static_cast<int>(num(-1));
        lua_pop(L, 2);
        return f;
    }
    TTF_Font *font = nullptr;
};

TEST_F(TextTest, LoadFontTruncatesTheSizeAndReportsTheFixedAdvanceOfA)
{
    struct Row {
        const char *path, *size;
        int points;
        bool fixed;
    } rows[] = {
        {SANS, "12", 12, false},  {SANS, "12.9", 12, false}, {MONO, "12", 12, true},
        {MONO, "16.9", 16, true}, {MONO, "'40'", 40, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.path) + " at " + row.size);
        int advance = -1;
        TTF_Font *f = load(row.path, row.size, &advance);
        ASSERT_NE(f, nullptr);
        // The same metrics as the font opened directly at the truncated size
        // (at 12 and 13 points this text differs in width).
        TTF_Font *direct = TTF_OpenFont(row.path, row.points);
        int want = 0, w, h, want_w, want_h;
        if (row.fixed)
            TTF_GlyphMetrics(direct, 'a', nullptr, nullptr, nullptr, nullptr, &want);
        TTF_SizeUTF8(f, "Truncation", &w, &h);
        TTF_SizeUTF8(direct, "Truncation", &want_w, &want_h);
        TTF_CloseFont(direct);
        EXPECT_EQ(advance, want);
        EXPECT_EQ(w, want_w);
        EXPECT_EQ(h, want_h);
    }
}

TEST_F(TextTest, DrawModeBlitsTheRenderedTextAtTheTruncatedPosition)
{
    run(L, "T = Z.makeSurf(120, 40)");
    SDL_Surface *target = global_surface(L, "T");
    ASSERT_NE(target, nullptr);
    struct Row {
        const char *args; // r, g, b, x, y (keep, target) as the script passes them
        SDL_Color colour;
        Sint16 x, y;
        SDL_Surface *on;
    } rows[] = {
        {"255, 128, 0, 10.9, 20.9", {255, 128, 0, 0}, 10, 20, gScreen},
        {"256, -1, 511, -3.9, -4.9, nil, false", {0, 255, 255, 0}, -3, -4, gScreen}, // clipped
        {"'200', 100.7, 50, 150, 70, nil, nil", {200, 100, 50, 0}, 150, 70, gScreen},
        {"255, 255, 255, 4, 2, T, false", {255, 255, 255, 0}, 4, 2, target}, // the screen untouched
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.args);
        paint(gScreen, 0x10, 0x20, 0x30);
        paint(target, 0, 0, 0);
        SDL_Surface *screen_before = copy_surface(gScreen);
        SDL_Surface *want = copy_surface(row.on);
        SDL_Surface *text = TTF_RenderUTF8_Blended(font, "Hello, world", row.colour);
        SDL_Rect at = {row.x, row.y, 0, 0};
        SDL_BlitSurface(text, nullptr, want, &at);
        SDL_FreeSurface(text);

        EXPECT_EQ(run(L, std::string("return Z.printFont(F, 'Hello, world', ") + row.args + ")"),
                  0);
        EXPECT_TRUE(same_pixels(row.on, want));
        uint32_t rgb = (uint32_t(row.colour.r) << 16) | (row.colour.g << 8) | row.colour.b;
        EXPECT_GT(count_rgb(row.on, rgb), 0) << "no pixel in the text's own colour";
        if (row.on != gScreen) {
            EXPECT_TRUE(same_pixels(gScreen, screen_before));
        }
        SDL_FreeSurface(want);
        SDL_FreeSurface(screen_before);
    }
}

TEST_F(TextTest, KeepModeReturnsAConvertedSurfaceOfTheTextsSize)
{
    // Any keep value but nil and false keeps, the number 0 included.
    const char *keeps[] = {"true", "0", "'no'"};
    const char *texts[] = {"Score: 12345", "Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC"};
    SDL_Surface *screen_before = copy_surface(gScreen);
    for (const char *keep : keeps) {
        for (const char *text : texts) {
            SCOPED_TRACE(std::string(keep) + " " + text);
            int n = run(L, std::string("return Z.printFont(F, ") + quoted(text) +
                               ", 0, 200, 100, 5, 5, nil, " + keep + ")");
            ASSERT_EQ(n, 3);
            SDL_Surface *s = static_cast<SDL_Surface *>(lua_touserdata(L, -3));
            ASSERT_NE(s, nullptr);
            int w, h;
            TTF_SizeUTF8(font, text, &w, &h);
            EXPECT_EQ(num(-2), w);
            EXPECT_EQ(num(-1), h);
            EXPECT_EQ(s->w, w);
            EXPECT_EQ(s->h, h);
            EXPECT_EQ(s->format->BitsPerPixel, 32);
            EXPECT_NE(s->format->Amask, 0u);
            EXPECT_GT(count_rgb(s, 0x00C864), 0);
            lua_pop(L, 3);
            SDL_FreeSurface(s);
        }
    }
    EXPECT_TRUE(same_pixels(gScreen, screen_before));
    SDL_FreeSurface(screen_before);
}

TEST_F(TextTest, NothingToRenderDrawsAndReturnsNothing)
{
    SDL_Surface *before = copy_surface(gScreen);
    for (const char *text : {"''", "nil", "{}", "'\\0hidden'"}) {
        for (const char *tail : {")", ", nil, false)", ", nil, true)"}) {
            std::string code =
                std::string("return Z.printFont(F, ") + text + ", 255, 255, 255, 0, 0" + tail;
            EXPECT_EQ(run(L, code), 0) << code;
        }
    }
    EXPECT_TRUE(same_pixels(gScreen, before));
    SDL_FreeSurface(before);
}

TEST_F(TextTest, KeepModeNeedsNoDisplaySurface)
{
    // gScreen is the host's to change; the conversion goes by the video mode.
    SDL_Surface *screen = gScreen;
    gScreen = nullptr;
    EXPECT_EQ(run(L, "return Z.printFont(F, 'lost', 255, 255, 255, 0, 0)"), 0);
    ASSERT_EQ(run(L, "return Z.printFont(F, 'kept', 255, 255, 255, 0, 0, nil, true)"), 3);
    SDL_FreeSurface(static_cast<SDL_Surface *>(lua_touserdata(L, -3)));
    gScreen = screen;
}

TEST(TextNoVideo, KeepModeWithoutAVideoModeReturnsNothing)
{
    // Fonts started on their own: the render works, the conversion to the
    // display's format cannot, and there is nowhere to draw.
    lua_State *L = open_state();
    ASSERT_EQ(TTF_Init(), 0);
    ASSERT_EQ(run(L, std::string("F = Z.loadFont(") + quoted(SANS) + ", 12) return F"), 1);
    EXPECT_EQ(run(L, "return Z.printFont(F, 'no video', 255, 255, 255, 0, 0, nil, true)"), 0);
    EXPECT_EQ(run(L, "return Z.printFont(F, 'no video', 255, 255, 255, 0, 0)"), 0);
    run(L, "Z.freeFont(F)");
    TTF_Quit();
    lua_close(L);
}

TEST_F(TextTest, UnreadablePathsAreFatal)
{
    struct Row {
        const char *call, *path;
    } rows[] = {
        {"Z.loadFont(nil, 12)", "\\(null\\)"},
        {"Z.loadFont({}, 12)", "\\(null\\)"},
        {"Z.loadFont()", "\\(null\\)"},
    };
    for (const Row &row : rows)
        EXPECT_FATAL_LINE(L, row.call,
                          std::string("Couldn't load font ") + row.path + "\\. Exiting\\.\n$");
}
