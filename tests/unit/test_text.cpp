// printFont's keep mode: a surface with alpha of the size the font library
// measures, and that size as the results. (What it draws: the script cases.)
#include "harness.h"

TEST_F(Engine, PrintFontKeepsTheTextAtTheSizeTheLibraryMeasures)
{
    run("Z.init(160, 80) F = Z.loadFont('" SANS "', 16)");
    auto *font = static_cast<TTF_Font *>(ptr("F"));
    for (const char *text : {"Score: 12345", "Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC"}) {
        int w, h;
        TTF_SizeUTF8(font, text, &w, &h);
        ASSERT_EQ(
            run(std::string("return Z.printFont(F, '") + text + "', 0, 200, 100, 5, 5, nil, true)"),
            3);
        auto *s = static_cast<SDL_Surface *>(lua_touserdata(L, -3));
        EXPECT_TRUE(s->w == w && s->h == h && num(-2) == w && num(-1) == h && s->format->Amask)
            << text;
        lua_settop(L, 0);
    }
}
