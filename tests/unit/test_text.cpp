// Fonts and text: loadFont's advance and size, printFont's two modes checked
// pixel for pixel against the font library's own rendering, and the calls
// that have nothing to render or nowhere to draw.
#include <unistd.h>

#include "harness.h"

static const char *const SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
static const char *const MONO = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

static void paint(SDL_Surface *s, Uint8 r, Uint8 g, Uint8 b)
{
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, r, g, b, 255));
}

// A copy of a surface with the same format and contents.
static SDL_Surface *twin(SDL_Surface *s) { return SDL_ConvertSurface(s, s->format, s->flags); }

// Same size and the same bytes in every pixel, alpha included.
static bool same_pixels(SDL_Surface *a, SDL_Surface *b)
{
    if (a->w != b->w || a->h != b->h)
        return false;
    SDL_LockSurface(a);
    SDL_LockSurface(b);
    bool same = true;
    for (int y = 0; y < a->h && same; y++)
        same = memcmp(static_cast<Uint8 *>(a->pixels) + y * a->pitch,
                      static_cast<Uint8 *>(b->pixels) + y * b->pitch, size_t(a->w) * 4) == 0;
    SDL_UnlockSurface(b);
    SDL_UnlockSurface(a);
    return same;
}

static int count_rgb(SDL_Surface *s, uint32_t rgb)
{
    int n = 0;
    for (int y = 0; y < s->h; y++)
        for (int x = 0; x < s->w; x++)
            n += pixel_rgb(s, x, y) == rgb;
    return n;
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

TEST_F(TextTest, LoadFontReportsTheFixedAdvanceOfA)
{
    struct Row {
        const char *path;
        const char *size;
        int points;
        bool fixed;
    } rows[] = {
        {SANS, "12", 12, false},
        {MONO, "12", 12, true},
        {MONO, "16.9", 16, true},
        {MONO, "'40'", 40, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.path) + " at " + row.size);
        int advance = -1;
        TTF_Font *f = load(row.path, row.size, &advance);
        ASSERT_NE(f, nullptr);
        int want = 0;
        if (row.fixed) {
            TTF_Font *direct = TTF_OpenFont(row.path, row.points);
            TTF_GlyphMetrics(direct, 'a', nullptr, nullptr, nullptr, nullptr, &want);
            TTF_CloseFont(direct);
            EXPECT_GT(want, 0);
        }
        EXPECT_EQ(advance, want);
    }
}

TEST_F(TextTest, PointSizeIsTruncatedTowardZero)
{
    TTF_Font *f = load(SANS, "12.9");
    TTF_Font *at12 = TTF_OpenFont(SANS, 12);
    TTF_Font *at13 = TTF_OpenFont(SANS, 13);
    int w, h, w12, h12, w13, h13;
    TTF_SizeUTF8(f, "Truncation", &w, &h);
    TTF_SizeUTF8(at12, "Truncation", &w12, &h12);
    TTF_SizeUTF8(at13, "Truncation", &w13, &h13);
    EXPECT_EQ(TTF_FontLineSkip(f), TTF_FontLineSkip(at12));
    EXPECT_EQ(TTF_FontHeight(f), TTF_FontHeight(at12));
    EXPECT_EQ(w, w12);
    EXPECT_EQ(h, h12);
    EXPECT_NE(w, w13); // the comparison can tell the sizes apart
    TTF_CloseFont(at12);
    TTF_CloseFont(at13);
}

TEST_F(TextTest, DrawModeBlitsTheRenderedTextAtTheTruncatedPosition)
{
    struct Row {
        const char *args; // r, g, b, x, y (and a false keep) as the script passes them
        SDL_Color colour;
        Sint16 x, y;
    } rows[] = {
        {"255, 128, 0, 10.9, 20.9", {255, 128, 0, 0}, 10, 20},
        {"256, -1, 511, -3.9, -4.9, nil, false", {0, 255, 255, 0}, -3, -4}, // clipped
        {"'200', 100.7, 50, 150, 70, nil, nil", {200, 100, 50, 0}, 150, 70},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.args);
        paint(gScreen, 0x10, 0x20, 0x30);
        SDL_Surface *want = twin(gScreen);
        SDL_Surface *text = TTF_RenderUTF8_Blended(font, "Hello, world", row.colour);
        SDL_Rect at = {row.x, row.y, 0, 0};
        SDL_BlitSurface(text, nullptr, want, &at);
        SDL_FreeSurface(text);

        EXPECT_EQ(run(L, std::string("return Z.printFont(F, 'Hello, world', ") + row.args + ")"),
                  0);
        EXPECT_TRUE(same_pixels(gScreen, want));
        uint32_t rgb = (uint32_t(row.colour.r) << 16) | (row.colour.g << 8) | row.colour.b;
        EXPECT_GT(count_rgb(gScreen, rgb), 0) << "no pixel in the text's own colour";
        SDL_FreeSurface(want);
    }
}

TEST_F(TextTest, DrawModeTargetsAGivenSurfaceAndLeavesTheScreen)
{
    // Targets are surface handles the module gave out.
    run(L, "T = Z.makeSurf(120, 40)");
    lua_getglobal(L, "T");
    SDL_Surface *target = static_cast<SDL_Surface *>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    ASSERT_NE(target, nullptr);
    paint(target, 0, 0, 0);
    SDL_Surface *screen_before = twin(gScreen);
    SDL_Surface *want = twin(target);
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface *text = TTF_RenderUTF8_Blended(font, "target", white);
    SDL_Rect at = {4, 2, 0, 0};
    SDL_BlitSurface(text, nullptr, want, &at);
    SDL_FreeSurface(text);

    EXPECT_EQ(run(L, "return Z.printFont(F, 'target', 255, 255, 255, 4, 2, T, false)"), 0);
    EXPECT_TRUE(same_pixels(target, want));
    EXPECT_GT(count_rgb(target, 0xFFFFFF), 0);
    EXPECT_TRUE(same_pixels(gScreen, screen_before));
    SDL_FreeSurface(want);
    SDL_FreeSurface(screen_before);
    run(L, "Z.freeSurf(T)");
}

TEST_F(TextTest, KeepModeReturnsAConvertedSurfaceOfTheTextsSize)
{
    // Any keep value but nil and false keeps, the number 0 included.
    const char *keeps[] = {"true", "0", "'no'"};
    const char *texts[] = {"Score: 12345", "Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC"};
    SDL_Surface *screen_before = twin(gScreen);
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
    const char *calls[] = {
        "Z.printFont(F, '', 255, 255, 255, 0, 0",
        "Z.printFont(F, nil, 255, 255, 255, 0, 0",
        "Z.printFont(F, {}, 255, 255, 255, 0, 0",
        "Z.printFont(F, '\\0hidden', 255, 255, 255, 0, 0",
        "Z.printFont(nil, 'text', 255, 255, 255, 0, 0",
        "Z.printFont(nil, nil",
    };
    SDL_Surface *before = twin(gScreen);
    for (const char *call : calls) {
        for (const char *tail : {")", ", nil, false)", ", nil, true)"}) {
            std::string code = std::string("return ") + call + tail;
            SCOPED_TRACE(code);
            EXPECT_EQ(run(L, code), 0);
        }
    }
    EXPECT_TRUE(same_pixels(gScreen, before));
    SDL_FreeSurface(before);
}

TEST_F(TextTest, NoDisplaySurfaceMeansNothingDrawn)
{
    SDL_Surface *screen = gScreen;
    gScreen = nullptr;
    EXPECT_EQ(run(L, "return Z.printFont(F, 'lost', 255, 255, 255, 0, 0)"), 0);
    // Keep mode needs no target.
    int n = run(L, "return Z.printFont(F, 'kept', 255, 255, 255, 0, 0, nil, true)");
    ASSERT_EQ(n, 3);
    SDL_FreeSurface(static_cast<SDL_Surface *>(lua_touserdata(L, -3)));
    gScreen = screen;
}

TEST(TextNoVideo, KeepModeWithoutAVideoModeReturnsNothing)
{
    // Fonts started on their own: the render works, the conversion to the
    // display's format cannot.
    lua_State *L = open_state();
    ASSERT_EQ(TTF_Init(), 0);
    ASSERT_EQ(run(L, std::string("F = Z.loadFont(") + quoted(SANS) + ", 12) return F"), 1);
    EXPECT_EQ(run(L, "return Z.printFont(F, 'no video', 255, 255, 255, 0, 0, nil, true)"), 0);
    EXPECT_EQ(run(L, "return Z.printFont(F, 'no video', 255, 255, 255, 0, 0)"), 0);
    run(L, "Z.freeFont(F)");
    TTF_Quit();
    lua_close(L);
}

TEST_F(TextTest, FreeFontToleratesNilAndALibraryAlreadyShutDown)
{
    EXPECT_EQ(run(L, "return Z.freeFont(F)"), 0);
    EXPECT_EQ(run(L, "return Z.freeFont(nil)"), 0);
    EXPECT_EQ(run(L, "return Z.freeFont()"), 0);
    load(MONO, "10");
    run(L, "Z.quit()");
    EXPECT_EQ(run(L, "return Z.freeFont(F)"), 0);
}

TEST_F(TextTest, UnreadablePathsAreFatal)
{
    struct Row {
        const char *call;
        const char *line;
    } rows[] = {
        {"Z.loadFont('/no/such/font.ttf', 12)",
         "Couldn't load font /no/such/font\\.ttf\\. Exiting\\.\n$"},
        {"Z.loadFont(nil, 12)", "Couldn't load font \\(null\\)\\. Exiting\\.\n$"},
        {"Z.loadFont({}, 12)", "Couldn't load font \\(null\\)\\. Exiting\\.\n$"},
        {"Z.loadFont()", "Couldn't load font \\(null\\)\\. Exiting\\.\n$"},
    };
    for (const Row &row : rows)
        EXPECT_FATAL_LINE(L, row.call, row.line);
}
