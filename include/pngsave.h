// Writing a surface as a PNG file (the image library reads PNG but does not
// write it).
#ifndef ZEDODAVA_PNGSAVE_H
#define ZEDODAVA_PNGSAVE_H

#include <SDL.h>

// Writes s to path: 8-bit RGBA when s has an alpha mask, RGB otherwise.
// Returns null, or why the file was not written (reason holds the text).
const char *save_png(SDL_Surface *s, const char *path, char *reason, size_t size);

#endif
