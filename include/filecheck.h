// Files the libraries under the module would crash or hang on, told apart
// before they are handed over: music the mixer reads as MP3 and its decoder
// would overrun a buffer on, and WAV music whose damaged chunks send the
// mixer's reader into a double free or an endless loop. Every file the
// mixer plays or rejects by itself passes.
#ifndef ZEDODAVA_FILECHECK_H
#define ZEDODAVA_FILECHECK_H

#include <cstddef>

// Whether Mix_LoadMUS(path), or playing what it returns, would crash or hang
// the process. If so, writes why into why (n bytes, ending in how to convert
// the file) and returns true. A file that cannot be read passes: the mixer
// reports it. The mixer's open format counts; when it is not open, the one
// start-up opens (44.1 kHz, 16-bit, stereo).
bool music_hazard(const char *path, char *why, size_t n);

#endif
