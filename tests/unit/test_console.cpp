// Console: start-up, the cell writes read back from CC's arrays, and the
// refresh read back from the display's pixels.
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

#include "harness.h"

// Character, foreground and background of a cell, as "c RRGGBB RRGGBB".
static std::string cell(int x, int y)
{
    int i = y * CC.cols + x;
    const uint8_t *f = CC.fgColors + 4 * i, *b = CC.bgColors + 4 * i;
    char s[32];
    snprintf(s, sizeof s, "%c %02X%02X%02X %02X%02X%02X", CC.chars[i], f[0], f[1], f[2], b[0], b[1],
             b[2]);
    return s;
}

class Console : public Engine
{
  protected:
    void start(int cols, int rows, int points = 16)
    {
        ASSERT_EQ(run(L, "return Z.curses_init(" + std::to_string(cols) + ", " +
                             std::to_string(rows) + ", '" MONO "', " + std::to_string(points) +
                             ")"),
                  2);
        lua_pop(L, 2);
    }
};

TEST_F(Console, StartUpMeasuresTheCellAndClearsTheGrid)
{
    ASSERT_EQ(run(L, "return Z.curses_init(80.9, 25.9, '" MONO "', 16.7)"), 2);
    TTF_Font *f = TTF_OpenFont(MONO, 16);
    int advance = 0;
    TTF_GlyphMetrics(f, '@', nullptr, nullptr, nullptr, nullptr, &advance);
    EXPECT_EQ(num(-2), advance);
    EXPECT_EQ(num(-1), TTF_FontLineSkip(f));
    TTF_CloseFont(f);
    EXPECT_EQ(CC.cellCount, 2000);
    ASSERT_NE(gScreen, nullptr);
    EXPECT_EQ(gScreen->w * 10000 + gScreen->h, 80 * advance * 10000 + 25 * int(num(-1)));
    EXPECT_EQ(gScreen->flags & (SDL_FULLSCREEN | SDL_OPENGL), 0u);
    for (int i = 0; i < CC.cellCount; i++)
        ASSERT_EQ(cell(i % 80, i / 80), "  000000 FFFFFF") << i;
    // A second start-up replaces the first console whole; quit releases it.
    start(30, 7, 8);
    EXPECT_EQ(CC.cellCount, 210);
    run(L, "Z.quit()");
    EXPECT_EQ(curses_on + CC.cols + CC.cellCount, 0);
    EXPECT_EQ(CC.chars, nullptr);
}

TEST_F(Console, WritesLandOnlyInsideTheGrid)
{
    start(5, 3);
    struct Cell {
        int x, y;
        const char *is;
    };
    // Each row starts from a blank grid (spaces, black on white): the calls,
    // then every cell that must differ from blank.
    const struct {
        const char *calls;
        std::vector<Cell> cells;
    } rows[] = {
        {"addch('A', 0, 0) Z.curses_addch('Hello', 4.9, 2.9) Z.curses_addch(42, -0.5, 1)",
         {{0, 0, "A 000000 FFFFFF"}, {4, 2, "H 000000 FFFFFF"}, {0, 1, "4 000000 FFFFFF"}}},
        {"addch('~', 1, 1) Z.curses_addch('!', 2, 1)",
         {{1, 1, "~ 000000 FFFFFF"}, {2, 1, "! 000000 FFFFFF"}}},
        // anything but printable ASCII other than the space is a space
        {"addch('A', 1, 1) Z.curses_addch('\\127', 1, 1) Z.curses_addch('B', 2, 1)"
         "Z.curses_addch('\\t', 2, 1) Z.curses_addch('C', 3, 1) Z.curses_addch('\\195\\169', 3, 1)"
         "Z.curses_addch('D', 4, 1) Z.curses_addch('', 4, 1)",
         {}},
        {"addch('X', 5, 0) Z.curses_addch('X', 0, 3) Z.curses_addch('X', -1, 0)"
         "Z.curses_addch('X', 4294967295, 0) Z.curses_addch(nil, 1, 1) Z.curses_addch({}, 1, "
         "1)",
         {}},
        {"setcol(2, 1, 300, nil, 256 + 7, -1, 0, 9) Z.curses_setcol(1, 1, -0.5, -2147483648, "
         "4294967296 + 9, '16')",
         {{2, 1, "  2C0007 FF0009"}, {1, 1, "  000009 10FFFF"}}},
        {"setcol(5, 0, 1, 1, 1, 1, 1, 1) Z.curses_setcol(-1, 1, 1, 1, 1, 1, 1, 1) "
         "Z.curses_setcol(0, 3, 1, 1, 1, 1, 1, 1) Z.curses_setcol(4, 2)",
         {}},
        // fill: clipped to the grid; a colour only when all three channels are given
        {"fill(-2, -1, 4, 3, '#') Z.curses_fill(3, 1, 9, 9, 'hi', 1, 2, 3)",
         {{0, 0, "# 000000 FFFFFF"},
          {1, 0, "# 000000 FFFFFF"},
          {0, 1, "# 000000 FFFFFF"},
          {1, 1, "# 000000 FFFFFF"},
          {3, 1, "h 010203 FFFFFF"},
          {4, 1, "h 010203 FFFFFF"},
          {3, 2, "h 010203 FFFFFF"},
          {4, 2, "h 010203 FFFFFF"}}},
        {"fill(4, 2, 1, 1, nil, 9, 9, nil, 7, 7, 7) Z.curses_fill(0, 2, 1, 1, '\\127', nil, nil, "
         "nil, 4, 5, 6)",
         {{4, 2, "  000000 070707"}, {0, 2, "  000000 040506"}}},
        {"fill(0, 0, 0, 3, 'x', 1, 1, 1, 1, 1, 1) Z.curses_fill(0, 0, 5, -1, 'x')"
         "Z.curses_fill(5, 0, 5, 5, 'x') Z.curses_fill(-5, 0, 5, 5, 'x') Z.curses_fill(0, 3, 5, 5, "
         "'x')"
         "Z.curses_fill(2147483647, 0, 2147483647, 5, 'x')"
         "Z.curses_fill(-2147483648, 0, 2147483647, 5, 'x')",
         {}},
        {"fill(-1e9, 2, 2147483647, 2147483647, '+')",
         {{0, 2, "+ 000000 FFFFFF"},
          {1, 2, "+ 000000 FFFFFF"},
          {2, 2, "+ 000000 FFFFFF"},
          {3, 2, "+ 000000 FFFFFF"},
          {4, 2, "+ 000000 FFFFFF"}}},
    };
    for (const auto &r : rows) {
        run(L, "Z.curses_fill(0, 0, 5, 3, ' ', 0, 0, 0, 255, 255, 255) Z.curses_" +
                   std::string(r.calls));
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < 5; x++) {
                std::string want = "  000000 FFFFFF";
                for (const Cell &c : r.cells)
                    if (c.x == x && c.y == y)
                        want = c.is;
                EXPECT_EQ(cell(x, y), want) << r.calls << " at " << x << "," << y;
            }
    }
    // The fourth bytes keep their start-up values.
    for (int i = 0; i < CC.cellCount; i++)
        ASSERT_EQ(CC.fgColors[4 * i + 3] * 256 + CC.bgColors[4 * i + 3], 0xFF);
}

TEST_F(Console, BadChannelRaisesBeforeAnyCellChanges)
{
    start(4, 3);
    run(L, "Z.curses_fill(0, 0, 4, 3, '.', 1, 2, 3, 4, 5, 6)");
    std::string before = cell(0, 0) + cell(3, 2);
    for (auto [call, arg] :
         {std::pair{"setcol(1, 1, 'red')", "#3 to 'curses_setcol'"},
          {"setcol(0, 0, 1, 2, 3, 4, 5, {})", "#8 to 'curses_setcol'"},
          {"setcol(99, 99, true)", "#3 to 'curses_setcol'"},
          {"fill(0, 0, 4, 3, 'x', 1, 2, 3, 4, 5, 'red')", "#11 to 'curses_fill'"},
          {"fill(0, 0, 0, 0, 'x', 'red')", "#6 to 'curses_fill'"}}) {
        std::string msg = run_error(L, std::string("Z.curses_") + call);
        EXPECT_NE(msg.find(std::string("bad argument ") + arg), std::string::npos) << msg;
        EXPECT_EQ(cell(0, 0) + cell(3, 2), before) << call;
    }
}

// The refresh: each cell's background over exactly its rectangle, and the
// glyph blended over it in the foreground colour.
TEST_F(Console, RefreshPaintsEachCellInPlace)
{
    start(6, 5);
    SDL_FillRect(gScreen, nullptr, SDL_MapRGB(gScreen->format, 0, 255, 0));
    run(L, "Z.curses_setcol(1, 1, nil, nil, nil, 0, 0, 255) Z.curses_fill(2, 3, 1, 1, 'A', 255, 0, "
           "0, 0, 0, 255) Z.curses_fill(5, 4, 1, 1, '#', 0, 0, 0, 30, 40, 50) Z.curses_refresh()");
    const int cw = CC.cellWidth, ch = CC.cellHeight;
    int red = 0;
    for (int y = 0; y < gScreen->h; y++)
        for (int x = 0; x < gScreen->w; x++) {
            uint32_t p = rgb(gScreen, x, y);
            if (x / cw == 2 && y / ch == 3) { // only blends of red over blue
                ASSERT_EQ(p & 0x00FF00u, 0u) << x << "," << y;
                ASSERT_NEAR(int(p >> 16) + int(p & 0xFF), 255, 2) << x << "," << y;
                red += p == 0xFF0000u;
            } else if (x / cw != 5 || y / ch != 4) {
                ASSERT_EQ(p, x / cw == 1 && y / ch == 1 ? 0x0000FFu : 0xFFFFFFu) << x << "," << y;
            }
        }
    EXPECT_GT(red, 10);
    EXPECT_GT(count(gScreen, 0x1E2832, 5 * cw, 4 * ch), cw * ch / 2);
    EXPECT_EQ(count(gScreen, 0x1E2832), count(gScreen, 0x1E2832, 5 * cw, 4 * ch));
    std::vector<uint32_t> first = pixels(gScreen);
    run(L, "Z.curses_refresh()");
    EXPECT_EQ(pixels(gScreen), first);
}

// At exit, tells standard error whether a video mode was set.
static void report_window()
{
    fputs(SDL_GetVideoSurface() ? "window open\n" : "no window\n", stderr);
}

TEST_F(Console, GridsTheCellRectanglesCannotHoldOpenNoWindow)
{
    for (const char *args :
         {"80, 25, '/nonexistent.ttf', 16", "80, 25", "0, 25, '" MONO "', 16",
          "80, 0, '" MONO "', 16", "-3, -5, '" MONO "', 16", "32768, 1, '" MONO "', 1",
          "1, 2000, '" MONO "', 16", "2147483647, 2147483647, '" MONO "', 16"})
        EXPECT_EXIT((atexit(report_window), run(L, std::string("Z.curses_init(") + args + ")")),
                    ::testing::ExitedWithCode(1), "no window")
            << args;
    start(32767, 1, 1); // the widest that can be
    EXPECT_EQ(gScreen->w, 32767);
}

TEST_F(Console, AllocationFailureEndsStartUp)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address-space limit cannot hold under ASan";
#else
    env("SDL_AUDIODRIVER", "no-such-driver"); // no audio thread across the fork
    // 4000 x 4000 one-pixel cells: 144 MB of arrays, 128 MB of window. The
    // second start-up frees the first console and window, gets the window
    // back, and then finds room for only half of the arrays.
    start(4000, 4000, 1);
    ASSERT_EQ(CC.cellWidth, 1);
    auto restart = [this] {
        long pages = 0;
        FILE *f = fopen("/proc/self/statm", "r");
        if (!f || fscanf(f, "%ld", &pages) != 1)
            exit(2);
        rlimit rl = {rlim_t(pages) * 4096 - 72000000, rlim_t(pages) * 4096 - 72000000};
        setrlimit(RLIMIT_AS, &rl);
        dup2(2, 1);
        start(4000, 4000, 1);
    };
    EXPECT_EXIT(restart(), ::testing::ExitedWithCode(1),
                "Couldn't allocate memory for curses data\\.\n$");
#endif
}
