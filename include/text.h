// What the text functions share with zedodava.extra.
#ifndef ZEDODAVA_TEXT_H
#define ZEDODAVA_TEXT_H

#include <SDL_ttf.h>

// The size printFont renders text at in font (the surface it makes), read
// as safely as printFont reads it; false if it cannot be measured.
bool text_size(TTF_Font *font, const char *text, int *w, int *h);

#endif
