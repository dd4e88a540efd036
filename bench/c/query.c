/* The per-call floor: one trivial state query. */
#include "bench.h"

static void key_state(long n, void *ctx)
{
    (void)ctx;
    volatile int sink = 0;
    for (long i = 0; i < n; i++) {
        int count;
        const Uint8 *keys = SDL_GetKeyState(&count);
        int k = (int)(i & 255);
        sink += k < count && keys[k] == SDL_PRESSED;
    }
}

int main(void)
{
    bench_screen(640, 480);
    bench_report("isKeyDown", 2000000, key_state, NULL);
    SDL_Quit();
    return 0;
}
