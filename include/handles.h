// The handles given to scripts. A registry of live handles holds every
// surface, font, sound and music pointer the module has handed out, with its
// kind, until the script frees it; lookups let the handlers turn a stale,
// forged or wrong-kind handle into a no-op instead of a crash. Around it: the
// readers of handle arguments and the release of each kind.
#ifndef ZEDODAVA_HANDLES_H
#define ZEDODAVA_HANDLES_H

#include <cstdint>

#include <lua.hpp>

#include "core.h"

enum HandleKind : uint8_t {
    HANDLE_NONE = 0,
    HANDLE_SURFACE,
    HANDLE_FONT,
    HANDLE_SOUND,
    HANDLE_MUSIC,
};

// Records p as a live handle of the given kind, for a handle about to be
// given to the script: a registry that cannot grow ends the process, like any
// other failed allocation.
void register_handle(const void *p, HandleKind kind);

// The kind of p if it is live, HANDLE_NONE otherwise.
HandleKind handle_kind(const void *p);

inline bool handle_live(const void *p, HandleKind kind) { return p && handle_kind(p) == kind; }

// Calls fn on every live handle of the given kind and forgets those for
// which it returns true (it has released them).
void handle_sweep(HandleKind kind, bool (*fn)(void *));

// Number of live handles (for tests).
uint32_t handle_count();

// The handle argument at stack slot i if it is live and of the given kind;
// null otherwise.
template <typename T> inline T *arg_handle(lua_State *L, int i, HandleKind kind)
{
    void *p = lua_touserdata(L, i);
    return handle_live(p, kind) ? static_cast<T *>(p) : nullptr;
}

// A target surface argument: absent, nil or any other value that is no
// userdata means the display (null when there is none to draw on, see
// drawable_screen); a userdata must be a live surface. Every caller draws
// nothing on a null target.
inline SDL_Surface *arg_target(lua_State *L, int i)
{
    void *p = lua_touserdata(L, i);
    if (!p)
        return drawable_screen();
    return handle_live(p, HANDLE_SURFACE) ? static_cast<SDL_Surface *>(p) : nullptr;
}

// The free function of a kind: releases the handle argument 1 if it is live
// and of that kind, and leaves anything else (freed already, released by
// quit, never given out, of another kind) alone. Returns no values.
int free_handle_arg(lua_State *L, HandleKind kind);

// The handles' share of quit: fonts, sounds and music belong to libraries
// that shut down, so they are released and their handles become stale.
// Surfaces in ordinary memory stay valid; those in video memory go.
void release_handles_at_quit();

#endif
