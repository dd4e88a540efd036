// Console: start-up, the cell writes read back from CC's arrays, and the
// refresh read back from the display surface's pixels.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "harness.h"

#define MONO "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"

static uint32_t rgb(const uint8_t *e) { return (uint32_t(e[0]) << 16) | (e[1] << 8) | e[2]; }
static uint32_t fg_at(int x, int y) { return rgb(CC.fgColors + 4 * (y * CC.cols + x)); }
static uint32_t bg_at(int x, int y) { return rgb(CC.bgColors + 4 * (y * CC.cols + x)); }
static char char_at(int x, int y) { return char(CC.chars[y * CC.cols + x]); }

// A copy of the three cell arrays, to show that a call changed nothing.
static std::vector<uint8_t> snapshot()
{
    std::vector<uint8_t> v(CC.chars, CC.chars + CC.cellCount);
    v.insert(v.end(), CC.fgColors, CC.fgColors + 4 * CC.cellCount);
    v.insert(v.end(), CC.bgColors, CC.bgColors + 4 * CC.cellCount);
    return v;
}

class ConsoleTest : public LuaTest
{
  protected:
    void start(int cols, int rows, int points = 16)
    {
        char code[160];
        snprintf(code, sizeof code, "return Z.curses_init(%d, %d, '%s', %d)", cols, rows, MONO,
                 points);
        ASSERT_EQ(run(L, code), 2);
        lua_pop(L, 2);
    }
    // Runs each call and checks that no cell changed.
    void expect_no_change(std::initializer_list<const char *> calls)
    {
        std::vector<uint8_t> before = snapshot();
        for (const char *call : calls) {
            run(L, call);
            EXPECT_EQ(snapshot(), before) << call;
        }
    }
};

TEST_F(ConsoleTest, StartUpMeasuresTheCellAndClearsTheGrid)
{
    ASSERT_EQ(run(L, "return Z.curses_init(80.9, 25.9, '" MONO "', 16.7)"), 2);
    TTF_Font *f = TTF_OpenFont(MONO, 16);
    int advance = 0;
    TTF_GlyphMetrics(f, '@', nullptr, nullptr, nullptr, nullptr, &advance);
    EXPECT_EQ(num(-2), advance);
    EXPECT_EQ(num(-1), TTF_FontLineSkip(f));
    TTF_CloseFont(f);

    EXPECT_EQ(CC.cellWidth, advance);
    EXPECT_EQ(CC.cols * 1000 + CC.rows, 80025);
    EXPECT_EQ(CC.cellCount, 2000);
    EXPECT_EQ(curses_on, 1);
    ASSERT_NE(gScreen, nullptr);
    EXPECT_EQ(gScreen->w, 80 * CC.cellWidth);
    EXPECT_EQ(gScreen->h, 25 * CC.cellHeight);
    EXPECT_EQ(gScreen->format->BitsPerPixel, 32);
    EXPECT_EQ(gScreen->flags & (SDL_FULLSCREEN | SDL_OPENGL), 0u);
    for (int i = 0; i < CC.cellCount; i++) {
        ASSERT_EQ(CC.chars[i], ' ');
        ASSERT_EQ(memcmp(CC.fgColors + 4 * i, "\0\0\0\0", 4), 0);
        ASSERT_EQ(memcmp(CC.bgColors + 4 * i, "\xFF\xFF\xFF\xFF", 4), 0);
    }
    // Quit releases the console whole.
    run(L, "Z.quit()");
    EXPECT_EQ(curses_on, 0);
    EXPECT_EQ(CC.font, nullptr);
    EXPECT_EQ(CC.chars, nullptr);
    EXPECT_EQ(CC.cols, 0);
}

TEST_F(ConsoleTest, AddchStoresTheMappedFirstByte)
{
    start(10, 4);
    struct {
        const char *arg;
        char want;
    } rows[] = {{"'A'", 'A'},     {"'Hello'", 'H'},      {"'~'", '~'},  {"7", '7'},
                {"-1", '-'},      {"42", '4'},           {"''", ' '},   {"'\\t'", ' '},
                {"'\\127'", ' '}, {"'\\195\\169'", ' '}, {"' x'", ' '}, {"'\\0A'", ' '}};
    for (auto &r : rows) {
        run(L, std::string("Z.curses_addch('Q', 3, 1); Z.curses_addch(") + r.arg + ", 3, 1)");
        EXPECT_EQ(char_at(3, 1), r.want) << r.arg;
    }
    run(L, "Z.curses_addch('B', -0.5, 2.9)");
    EXPECT_EQ(char_at(0, 2), 'B');
    EXPECT_EQ(fg_at(0, 2), 0x000000u);
    EXPECT_EQ(bg_at(0, 2), 0xFFFFFFu);
    expect_no_change({"Z.curses_addch('X', 10, 0)", "Z.curses_addch('X', 0, 4)",
                      "Z.curses_addch('X', -1, 0)", "Z.curses_addch('X', 4294967295, 0)",
                      "Z.curses_addch(nil, 1, 1)", "Z.curses_addch({}, 1, 1)"});
}

TEST_F(ConsoleTest, SetcolAppliesEachChannelByItself)
{
    start(6, 4);
    struct {
        const char *args;
        uint32_t fg, bg;
    } rows[] = {
        {"", 0x000000, 0xFFFFFF},
        {", 300", 0x2C0000, 0xFFFFFF},
        {", nil, 256 + 7", 0x2C0700, 0xFFFFFF},
        {", -0.5", 0x000700, 0xFFFFFF},
        {", -1, -1, -1, 0, 0, 0", 0x000700, 0x000000},
        {", -2147483648, nil, 511, nil, 4294967296 + 9, '16'", 0x0007FF, 0x000910},
    };
    for (auto &r : rows) {
        run(L, std::string("Z.curses_setcol(2, 1") + r.args + ")");
        EXPECT_EQ(fg_at(2, 1), r.fg) << r.args;
        EXPECT_EQ(bg_at(2, 1), r.bg) << r.args;
    }
    // The fourth bytes and the character never change.
    EXPECT_EQ(CC.fgColors[4 * (1 * 6 + 2) + 3], 0);
    EXPECT_EQ(CC.bgColors[4 * (1 * 6 + 2) + 3], 0xFF);
    EXPECT_EQ(char_at(2, 1), ' ');
    expect_no_change(
        {"Z.curses_setcol(6, 0, 1, 1, 1, 1, 1, 1)", "Z.curses_setcol(-1, 3, 1, 1, 1, 1, 1, 1)"});
}

TEST_F(ConsoleTest, FillWritesTheRectangleInsideTheGrid)
{
    start(8, 6);
    run(L, "Z.curses_fill(0, 0, 8, 6, ' ', 255, 255, 255, 0, 0, 0)");
    for (int i = 0; i < CC.cellCount; i++)
        ASSERT_EQ(uint64_t(rgb(CC.fgColors + 4 * i)) << 24 | rgb(CC.bgColors + 4 * i),
                  0xFFFFFF000000u);

    // Overlapping the top-left corner writes the 3 by 3 block inside.
    run(L, "Z.curses_fill(-2, -2, 5, 5, '#')");
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 8; x++)
            EXPECT_EQ(char_at(x, y), x < 3 && y < 3 ? '#' : ' ') << x << "," << y;

    // No string: colours only. No channels: characters only.
    run(L, "Z.curses_fill(1, 1, 3, 2, nil, 1, 2, 3, 4, 5, 6)");
    EXPECT_EQ(char_at(1, 1), '#');
    EXPECT_EQ(fg_at(3, 2), 0x010203u);
    EXPECT_EQ(bg_at(3, 2), 0x040506u);
    EXPECT_EQ(fg_at(4, 2), 0xFFFFFFu);
    run(L, "Z.curses_fill(3, 2, 1, 1, 'hello')");
    EXPECT_EQ(char_at(3, 2), 'h');
    EXPECT_EQ(fg_at(3, 2), 0x010203u);

    // A partly given colour is not written; the other one still is.
    run(L, "Z.curses_fill(0, 0, 8, 6, nil, 9, 9, nil, 7, 7, 7)");
    EXPECT_EQ(fg_at(3, 2), 0x010203u);
    EXPECT_EQ(bg_at(3, 2), 0x070707u);

    // Empty, outside, and past 2^31 at the far edge (x + w overflows).
    expect_no_change({"Z.curses_fill(0, 0, 0, 6, 'x', 1, 1, 1, 1, 1, 1)",
                      "Z.curses_fill(0, 0, 8, -1, 'x', 1, 1, 1, 1, 1, 1)",
                      "Z.curses_fill(8, 0, 5, 5, 'x', 1, 1, 1, 1, 1, 1)",
                      "Z.curses_fill(-5, 0, 5, 5, 'x', 1, 1, 1, 1, 1, 1)",
                      "Z.curses_fill(2147483647, 0, 2147483647, 5, 'x', 1, 1, 1, 1, 1, 1)",
                      "Z.curses_fill(-2147483648, 0, 2147483647, 5, 'x', 1, 1, 1, 1, 1, 1)"});

    // A rectangle of 4e18 cells costs what its part in the grid costs.
    auto t0 = std::chrono::steady_clock::now();
    run(L, "for i = 1, 100 do Z.curses_fill(-1e9, -1e9, 2147483647, 2147483647, '+') end");
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(1));
    EXPECT_EQ(std::string(reinterpret_cast<char *>(CC.chars), 48), std::string(48, '+'));
}

TEST_F(ConsoleTest, BadChannelRaisesBeforeAnyCellChanges)
{
    start(4, 3);
    std::vector<uint8_t> before = snapshot();
    struct {
        const char *call, *arg;
    } rows[] = {
        {"Z.curses_setcol(1, 1, 'red')", "#3 to 'curses_setcol'"},
        {"Z.curses_setcol(1, 1, 1, 2, 3, 4, 5, {})", "#8 to 'curses_setcol'"},
        {"Z.curses_setcol(99, 99, true)", "#3 to 'curses_setcol'"},
        {"Z.curses_fill(0, 0, 4, 3, 'x', 1, 2, 3, 4, 5, 'red')", "#11 to 'curses_fill'"},
        {"Z.curses_fill(0, 0, 0, 0, 'x', 'red')", "#6 to 'curses_fill'"},
    };
    for (auto &r : rows) {
        std::string msg = run_error(L, r.call);
        EXPECT_NE(msg.find(std::string("bad argument ") + r.arg), std::string::npos) << msg;
        EXPECT_EQ(snapshot(), before) << r.call;
    }
}

TEST_F(ConsoleTest, SecondStartUpReleasesTheFirstConsole)
{
    // That nothing of the first is lost is the leak check's to see.
    start(200, 100, 1);
    // The new grid replaces the old one whole.
    start(30, 7, 8);
    EXPECT_EQ(CC.cellCount, 210);
    EXPECT_EQ(gScreen->w, 30 * CC.cellWidth);
    run(L, "Z.curses_fill(0, 0, 30, 7, '*', 1, 2, 3, 4, 5, 6); Z.curses_refresh()");
    EXPECT_EQ(pixel_rgb(gScreen, gScreen->w - 1, gScreen->h - 1), 0x040506u);
}

// At exit, tells standard error whether a video mode was set, so that a
// death test can see how far start-up went.
static void report_window()
{
    fputs(SDL_GetVideoSurface() ? "window open\n" : "no window\n", stderr);
}

TEST_F(ConsoleTest, StartUpFailuresOpenNoWindow)
{
    const char *calls[] = {
        "Z.curses_init(80, 25, '/nonexistent.ttf', 16)",
        "Z.curses_init(80, 25)",
        // Grids with no cells, or wider or higher than 32767 pixels.
        "Z.curses_init(0, 25, '" MONO "', 16)",
        "Z.curses_init(80, 0, '" MONO "', 16)",
        "Z.curses_init(-3, -5, '" MONO "', 16)",
        "Z.curses_init(4000, 1, '" MONO "', 16)",
        "Z.curses_init(1, 2000, '" MONO "', 16)",
        "Z.curses_init(2147483647, 2147483647, '" MONO "', 16)",
    };
    for (const char *call : calls)
        EXPECT_EXIT((atexit(report_window), run(L, call)), ::testing::ExitedWithCode(1),
                    "no window")
            << call;
    // The widest supported window still opens.
    start(3276, 1);
    EXPECT_EQ(gScreen->w, 32760);
}

TEST_F(ConsoleTest, AllocationFailureEndsStartUp)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address-space limit cannot hold under ASan";
#else
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1); // no audio thread across the fork
    // 4000 x 4000 one-pixel-wide cells: 144 MB of arrays, 128 MB of window.
    start(4000, 4000, 1);
    ASSERT_EQ(CC.cellWidth, 1);
    // Leave room for all but half of the arrays: the second start-up frees
    // the first console and its window, gets the window back, and then
    // cannot allocate the arrays.
    auto restart = [this] {
        long pages = 0;
        FILE *f = fopen("/proc/self/statm", "r");
        if (!f || fscanf(f, "%ld", &pages) != 1)
            exit(2);
        rlim_t limit = rlim_t(pages) * 4096 - 72000000;
        rlimit rl = {limit, limit};
        setrlimit(RLIMIT_AS, &rl);
        dup2(2, 1); // the fatal line is written to standard output
        start(4000, 4000, 1);
    };
    EXPECT_EXIT(restart(), ::testing::ExitedWithCode(1),
                "Couldn't allocate memory for curses data.\n");
#endif
}

// The refresh: every cell's background over exactly its rectangle, and the
// glyph blended over it in the foreground colour.
TEST_F(ConsoleTest, RefreshPaintsEachCellInPlace)
{
    start(6, 5);
    SDL_FillRect(gScreen, nullptr, SDL_MapRGB(gScreen->format, 0, 255, 0));
    // A blue space at (1, 1) and a red A on blue at (2, 3); white elsewhere.
    run(L, "Z.curses_setcol(1, 1, nil, nil, nil, 0, 0, 255); "
           "Z.curses_fill(2, 3, 1, 1, 'A', 255, 0, 0, 0, 0, 255); Z.curses_refresh()");
    const int cw = CC.cellWidth, ch = CC.cellHeight;
    int red = 0;
    for (int y = 0; y < gScreen->h; y++) {
        for (int x = 0; x < gScreen->w; x++) {
            uint32_t p = pixel_rgb(gScreen, x, y);
            if (x / cw == 1 && y / ch == 1) {
                ASSERT_EQ(p, 0x0000FFu) << x << "," << y;
            } else if (x / cw == 2 && y / ch == 3) {
                // Only blends of red over blue.
                ASSERT_EQ(p & 0x00FF00u, 0u) << x << "," << y;
                ASSERT_NEAR(int(p >> 16) + int(p & 0xFF), 255, 2) << x << "," << y;
                red += p == 0xFF0000u;
            } else {
                ASSERT_EQ(p, 0xFFFFFFu) << x << "," << y;
            }
        }
    }
    EXPECT_GT(red, 10);

    // Two refreshes with no writes between them paint the same image.
    std::vector<uint8_t> first(static_cast<uint8_t *>(gScreen->pixels),
                               static_cast<uint8_t *>(gScreen->pixels) +
                                   gScreen->pitch * gScreen->h);
    run(L, "Z.curses_refresh()");
    EXPECT_EQ(memcmp(first.data(), gScreen->pixels, first.size()), 0);
}
