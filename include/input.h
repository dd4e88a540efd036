// What input shares with zedodava.extra.
#ifndef ZEDODAVA_INPUT_H
#define ZEDODAVA_INPUT_H

#include <cstdint>

// Set by zedodava.extra: a close request makes input return event 5 instead
// of ending the process; key presses carry their characters (input turns
// the translation back on after a start-up); the character (UCS-2, 0 for
// none) of the key press input last returned, and 0 after any other result.
extern bool catch_close;
extern bool text_input;
extern uint16_t last_typed;

#endif
