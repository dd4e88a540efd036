// The registry of live handles: every surface, font, sound and music pointer
// the module has handed to a script, with its kind, until the script frees it.
// Lookups let the handlers turn a stale, forged or wrong-kind handle into a
// no-op instead of a crash.
#ifndef ZEDODAVA_HANDLES_H
#define ZEDODAVA_HANDLES_H

#include <cstdint>

enum HandleKind : uint8_t {
    HANDLE_NONE = 0,
    HANDLE_SURFACE,
    HANDLE_FONT,
    HANDLE_SOUND,
    HANDLE_MUSIC,
};

// Records p as a live handle of the given kind. Returns false (and records
// nothing) only when memory for the registry cannot be had.
bool handle_add(const void *p, HandleKind kind);

// handle_add for a handle about to be given to the script: a registry that
// cannot grow ends the process, like any other failed allocation.
void register_handle(const void *p, HandleKind kind);

// The kind of p if it is live, HANDLE_NONE otherwise.
HandleKind handle_kind(const void *p);

inline bool handle_live(const void *p, HandleKind kind) { return p && handle_kind(p) == kind; }

// Forgets p if it is live and of the given kind; returns whether it was.
bool handle_remove(const void *p, HandleKind kind);

// Calls fn on every live handle of the given kind and forgets those for
// which it returns true (it has released them).
void handle_sweep(HandleKind kind, bool (*fn)(void *));

// Number of live handles (for tests).
uint32_t handle_count();

#endif
