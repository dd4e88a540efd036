// putpixel at every pixel width (what the drawing functions draw is the
// script cases': tests/script/).
#include "harness.h"

TEST(Putpixel, StoresEachPixelWidth)
{
    for (int bytes = 1; bytes <= 4; bytes++) {
        SDL_Surface *s = SDL_CreateRGBSurface(0, 5, 4, bytes * 8, bytes > 1 ? 0xF800 : 0, 0, 0, 0);
        std::vector<Uint8> want(size_t(s->pitch) * s->h, 0x5A);
        memset(s->pixels, 0x5A, want.size());
        putpixel(s, 3, 2, 0xDDAABBCC);
        memcpy(&want[2 * s->pitch + 3 * bytes], "\xCC\xBB\xAA\xDD",
               bytes); // least significant first
        EXPECT_EQ(memcmp(s->pixels, want.data(), want.size()), 0) << bytes << " bytes per pixel";
        SDL_FreeSurface(s);
    }
}
