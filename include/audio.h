// What the audio functions share with the rest of the module.
#ifndef ZEDODAVA_AUDIO_H
#define ZEDODAVA_AUDIO_H

// Whether the mixer is ready for the script: sound on and started.
bool mixer_ready();

// Halts the music if it is fading out (see audio.cpp).
void end_music_fade();

#endif
