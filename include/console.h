// What the character-cell console shares with the rest of the module.
#ifndef ZEDODAVA_CONSOLE_H
#define ZEDODAVA_CONSOLE_H

// Whether the refresh paints from its glyph cache where it can (set; the
// tests clear it to compare with rendering every cell).
extern bool console_glyph_cache;

// Empties the glyph cache (the console's font is going).
void console_cache_drop();

#endif
