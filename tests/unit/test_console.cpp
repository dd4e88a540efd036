// Console: the cell writes read back from CC's arrays, the refresh from the
// display's pixels. (The cell sizes are the script cases'.)
#include <sys/resource.h>

#include <random>

#include "console.h"
#include "fastpath.h"
#include "harness.h"

// Each row starts from a blank 5 by 3 grid (spaces, black on white), makes its
// calls, gives the grid's characters, then the cells with other colours.
TEST_F(Engine, ConsoleStartsBlankAndWritesLandOnlyInsideTheGrid)
{
    run(R"~(CW, CH = Z.curses_init(80.9, 25.9, ")~" MONO R"~(", 16.7)
        assert(select(2, pa(0, 0)) == 80 * CW and select(3, pa(0, 0)) == 25 * CH)
        for i = 0, 1999 do assert(cell(i % 80, math.floor(i / 80)) == "  000000 FFFFFF", i) end
        Z.curses_init(5, 3, ")~" MONO R"~(", 16) -- replaces the first
        for _, r in ipairs{
            {"addch('A', 0, 0) addch('Hello', 4.9, 2.9) addch(42, -0.5, 1) addch('~', 1, 1)",
             "A    4~       H"},
            {"addch('A', 1, 1) addch('\127', 1, 1) addch('B', 2, 1) addch('\t', 2, 1)" ..
             "addch('C', 3, 1) addch('\195\169', 3, 1) addch('D', 4, 1) addch('', 4, 1)" ..
             "addch('X', 4294967295, 0)" ..
             "addch(nil, 1, 1) addch({}, 1, 1)", "               "},
            {"setcol(2, 1, 300, nil, 256 + 7, -1, 0, 9) setcol(1, 1, -0.5, -2147483648, 4294967296 + 9, '16')" ..
             "setcol(-1, 1, 1, 1, 1, 1, 1, 1) setcol(4, 2)", "               ", {"2 1 2C0007 FF0009", "1 1 000009 10FFFF"}},
            -- fill: clipped to the grid; colours only when all three channels are given
            {"fill(-2, -1, 4, 3, '#') fill(3, 1, 9, 9, 'hi', 1, 2, 3)", "##   ## hh   hh",
             {"3 1 010203 FFFFFF", "4 1 010203 FFFFFF", "3 2 010203 FFFFFF", "4 2 010203 FFFFFF"}},
            {"fill(4, 2, 1, 1, nil, 9, 9, nil, 7, 7, 7) fill(0, 2, 1, 1, '\127', nil, nil, nil, 4, 5, 6)",
             "               ", {"4 2 000000 070707", "0 2 000000 040506"}},
            {"fill(0, 0, 0, 3, 'x', 1, 1, 1, 1, 1, 1) fill(0, 0, 5, -1, 'x')" ..
             "fill(2147483647, 0, 2147483647, 5, 'x')" ..
             "fill(-2147483648, 0, 2147483647, 5, 'x') fill(-1e9, 2, 2147483647, 2147483647, '+')",
             "          +++++"},
        } do
            Z.curses_fill(0, 0, 5, 3, " ", 0, 0, 0, 255, 255, 255)
            call((r[1]:gsub("(%a+)%(", "Z.curses_%1(")):sub(3))
            local colours = {}
            for _, c in ipairs(r[3] or {}) do colours[c:sub(1, 3)] = c:sub(5) end
            for i = 0, 14 do
                local x, y = i % 5, math.floor(i / 5)
                local want = r[2]:sub(i + 1, i + 1) .. " " .. (colours[x .. " " .. y] or "000000 FFFFFF")
                assert(cell(x, y) == want, r[1] .. " at " .. x .. "," .. y .. ": " .. cell(x, y))
            end
        end)~");
    for (int i = 0; i < CC.cellCount; i++) // the fourth bytes keep their start-up values
        ASSERT_EQ(CC.fgColors[4 * i + 3] * 256 + CC.bgColors[4 * i + 3], 0xFF);
    // Each write at the corners of a wide and a tall grid, and one cell past each
    // edge beside them (fill: a rectangle across both); a fill of more than the grid clears it.
    run(R"~(for _, g in ipairs{{5, 3, "a   b     c   d"}, {3, 5, "a b         c d"}} do
        local W, H = g[1], g[2]
        Z.curses_init(W, H, ")~" MONO R"~(", 10)
        local function grid(write) -- after the writes, each cell's character or its red channel as one
            write()
            local s = ""
            for i = 0, W * H - 1 do
                local c = cell(i % W, math.floor(i / W))
                s = s .. (c:sub(3, 4) == "00" and c:sub(1, 1) or string.char(tonumber(c:sub(3, 4), 16)))
            end
            return s, Z.curses_fill(-1, -1, W + 2, H + 2, " ", 0, 0, 0, 255, 255, 255)
        end
        for name, put in pairs{addch = function(x, y, c) Z.curses_addch(c, x, y) end,
                               setcol = function(x, y, c) Z.curses_setcol(x, y, c:byte()) end,
                               fill = function(x, y, c, dx, dy) -- and 3 cells further out
                                   Z.curses_fill(x - (dx < 0 and 3 or 0), y - (dy < 0 and 3 or 0), 4, 4, c)
                               end} do
            local s = grid(function()
                for i, k in ipairs{{0, 0, -1, -1}, {W - 1, 0, 1, -1}, {0, H - 1, -1, 1}, {W - 1, H - 1, 1, 1}} do
                    local x, y, dx, dy = k[1], k[2], k[3], k[4]
                    put(x + dx, y, "X", dx, dy) put(x, y + dy, "X", dx, dy) put(x, y, ("abcd"):sub(i, i), dx, dy)
                end
            end)
            assert(s == g[3], W .. "x" .. H .. " " .. name .. ": " .. s)
        end
        assert(grid(function() end) == string.rep(" ", W * H))
    end)~");
    run("Z.quit()");
    EXPECT_EQ(curses_on + CC.cols + CC.cellCount + (CC.chars != nullptr), 0);
}

// The refresh: each cell's background over exactly its rectangle, and the
// glyph blended over it in the foreground colour. A channel that is not a
// number raises before any cell changes.
TEST_F(Engine, ConsoleRefreshPaintsEachCellInPlace)
{
    run("CW, CH = Z.curses_init(6, 5, '" MONO "', 16) Z.fill(0, 0, 0, 0, 0, 255, 0, 255)");
    run(R"~(Z.curses_setcol(1, 1, nil, nil, nil, 0, 0, 255) Z.curses_fill(2, 3, 1, 1, 'A', 255, 0, 0, 0, 0, 255)
        Z.curses_fill(5, 4, 1, 1, '#', 0, 0, 0, 30, 40, 50) Z.curses_refresh()
        local red, dark = 0, 0
        for y = 0, 5 * CH - 1 do
            for x = 0, 6 * CW - 1 do
                local p, cx, cy = px(x, y), math.floor(x / CW), math.floor(y / CH)
                if cx == 2 and cy == 3 then -- only blends of red over blue
                    local r, g, b = math.floor(p / 65536), math.floor(p / 256) % 256, p % 256
                    assert(g == 0 and math.abs(r + b - 255) <= 2, x .. "," .. y)
                    red = red + (p == 0xFF0000 and 1 or 0)
                elseif cx == 5 and cy == 4 then
                    dark = dark + (p == 0x1E2832 and 1 or 0)
                else
                    assert(p == (cx == 1 and cy == 1 and 0x0000FF or 0xFFFFFF), x .. "," .. y)
                end
            end
        end
        assert(red > 10 and dark > CW * CH / 2, red .. " " .. dark)
        for _, r in ipairs{{"setcol(1, 1, 'red')", "#3 to 'curses_setcol'"},
                           {"setcol(0, 0, 1, 2, 3, 4, 5, {})", "#8 to 'curses_setcol'"},
                           {"setcol(99, 99, true)", "#3 to 'curses_setcol'"},
                           {"fill(0, 0, 6, 5, 'x', 1, 2, 3, 4, 5, 'red')", "#11 to 'curses_fill'"},
                           {"fill(0, 0, 0, 0, 'x', 'red')", "#6 to 'curses_fill'"}} do
            local ok, msg = pcall(call, "curses_" .. r[1])
            assert(not ok and msg:find("bad argument " .. r[2], 1, true), msg)
            assert(cell(0, 0) == "  000000 FFFFFF" and cell(2, 3) == "A FF0000 0000FF", r[1])
        end)~");
}

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
