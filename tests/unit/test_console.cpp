// Console: the glyph cache and the start-up failures. (The cell writes, the
// refresh and the cell sizes are the script cases'.)
#include <sys/resource.h>

#include <random>

#include "console.h"
#include "fastpath.h"
#include "harness.h"

// The glyph cache against rendering every cell, over a scribbled screen: random
// grids (any byte as a character, colours with any fourth byte) in fonts whose
// glyphs fit, overhang or dwarf their cells, both loop widths, a second
// console of the same cell size in another font, a window the grid leaves.
TEST_F(Engine, ConsoleRefreshFromItsCacheGivesThePixelsOfRenderingEachCell)
{
    std::mt19937 rng(27);
    const bool wide = fast_wide;
    const std::string dir = "/usr/share/fonts/truetype/dejavu/DejaVu";
    for (auto [font, points, cols, rows] : {std::tuple{"SansMono", 16, 80, 25},
                                            {"SansMono-Bold", 16, 7, 5},
                                            {"Sans", 11, 13, 7},
                                            {"SansMono", 4, 20, 9},
                                            {"SansMono", 9, 11, 4},
                                            {"Serif-Bold", 11, 9, 4},
                                            {"", 0, 0, 0}}) {
        if (*font)
            run("Z.curses_init(" + std::to_string(cols) + ", " + std::to_string(rows) + ", '" +
                dir + font + ".ttf', " + std::to_string(points) + ")");
        else // a window larger than the grid
            run("Z.init(" + std::to_string(gScreen->w + 13) + ", " +
                std::to_string(gScreen->h + 7) + ")");
        for (int round = 0; round < 6 && !HasFailure(); round++) {
            fast_wide = wide && round % 2;
            for (int i = 0; i < CC.cellCount; i++) {
                CC.chars[i] = Uint8(round < 2 ? rng() : rng() % 3 ? 33 + rng() % 94 : ' ');
                for (int k = 0; k < 4; k++)
                    CC.fgColors[4 * i + k] = Uint8(rng()), CC.bgColors[4 * i + k] = Uint8(rng());
            }
            const size_t n = size_t(gScreen->h) * gScreen->pitch;
            std::vector<Uint8> junk(n), want;
            for (Uint8 &b : junk)
                b = Uint8(rng());
            for (bool cached : {false, true}) {
                memcpy(gScreen->pixels, junk.data(), n);
                console_glyph_cache = cached;
                run("Z.curses_refresh()");
                if (!cached)
                    want.assign(static_cast<Uint8 *>(gScreen->pixels),
                                static_cast<Uint8 *>(gScreen->pixels) + n);
            }
            EXPECT_EQ(0, memcmp(want.data(), gScreen->pixels, n)) << font << points << round;
        }
    }
    fast_wide = wide;
}

TEST_F(Engine, ConsoleStartUpFailures)
{
    env("SDL_AUDIODRIVER", "no-such-driver");      // no audio thread across the fork
    run("Z.curses_init(32767, 1, '" MONO "', 1)"); // the widest there can be
    EXPECT_EQ(gScreen->w, 32767);
#if !defined(__SANITIZE_ADDRESS__) // (the address-space limit cannot hold under ASan)
    // 4000 x 4000 one-pixel cells: 144 MB of arrays, 128 MB of window. A second
    // start-up frees both and gets the window back, then room for half the arrays.
    const std::string start = "Z.curses_init(4000, 4000, '" MONO "', 1)";
    run(start);
    auto restart = [&] {
        long pages = 0;
        FILE *f = fopen("/proc/self/statm", "r");
        if (fscanf(f, "%ld", &pages) == 1) {
            rlimit rl = {rlim_t(pages) * 4096 - 72000000, rlim_t(pages) * 4096 - 72000000};
            setrlimit(RLIMIT_AS, &rl);
        }
        dup2(2, 1);
        run(start);
    };
    EXPECT_EXIT(restart(), ::testing::ExitedWithCode(1),
                "Couldn't allocate memory for curses data\\.\n$");
#endif
}
