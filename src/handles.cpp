// The handles given to scripts: the registry and the release of each kind.
// The registry is an open-addressing hash set of pointers with their kinds,
// linear probing, tombstones for removed slots. Plain malloc so that nothing
// here can throw into the interpreter.
#include "handles.h"

#include <cstdlib>

#include <SDL_mixer.h>

#include "audio.h"

namespace
{

struct Slot {
    const void *p;   // null: empty
    HandleKind kind; // HANDLE_NONE with a non-null p: removed (tombstone)
};

Slot *slots = nullptr;
uint32_t capacity = 0; // a power of two
uint32_t used = 0;     // live entries and tombstones
uint32_t live = 0;

const void *const TOMBSTONE = reinterpret_cast<const void *>(uintptr_t(1));

inline uint32_t slot_of(const void *p, uint32_t mask)
{
    uint64_t h = reinterpret_cast<uintptr_t>(p) >> 4;
    h *= 0x9E3779B97F4A7C15ull;
    return static_cast<uint32_t>(h >> 32) & mask;
}

bool grow()
{
    uint32_t cap = capacity ? capacity * 2 : 64;
    // Rehashing into the same size clears the tombstones.
    if (live * 2 < capacity)
        cap = capacity;
    Slot *fresh = static_cast<Slot *>(calloc(cap, sizeof(Slot)));
    if (!fresh)
        return false;
    uint32_t room = cap - 1; // an overwritten table may hold more than it counts
    for (uint32_t i = 0; i < capacity && room; i++) {
        const Slot &s = slots[i];
        if (s.p && s.p != TOMBSTONE) {
            uint32_t j = slot_of(s.p, cap - 1);
            while (fresh[j].p)
                j = (j + 1) & (cap - 1);
            fresh[j] = s;
            room--;
        }
    }
    free(slots);
    slots = fresh;
    capacity = cap;
    used = live;
    return true;
}

// The slot holding p, or null. Each search goes once around the table at
// most, so it ends even in a table with no empty slot left, one that
// something else overwrote; the count costs nothing measurable.
Slot *find(const void *p)
{
    if (!capacity || !p || p == TOMBSTONE)
        return nullptr;
    uint32_t mask = capacity - 1;
    uint32_t i = slot_of(p, mask);
    for (uint32_t n = capacity; n; n--, i = (i + 1) & mask) {
        Slot &s = slots[i];
        if (s.p == p)
            return &s;
        if (!s.p)
            return nullptr;
    }
    return nullptr;
}

} // namespace

// Records p as a live handle of the given kind. Returns false (and records
// nothing) only when memory for the registry cannot be had.
static bool handle_add(const void *p, HandleKind kind)
{
    if (!p || p == TOMBSTONE || kind == HANDLE_NONE)
        return false;
    if (Slot *s = find(p)) { // the library reused the memory of a freed object
        s->kind = kind;
        return true;
    }
    if ((used + 1) * 4 > capacity * 3 && !grow())
        return false;
    uint32_t mask = capacity - 1;
    uint32_t i = slot_of(p, mask);
    for (uint32_t n = capacity; slots[i].p && slots[i].p != TOMBSTONE; i = (i + 1) & mask)
        if (!--n)
            return false; // no free slot: an overwritten table
    if (!slots[i].p)
        used++;
    slots[i].p = p;
    slots[i].kind = kind;
    live++;
    return true;
}

void register_handle(const void *p, HandleKind kind)
{
    if (!handle_add(p, kind))
        fatal("Couldn't allocate memory for handles.\n");
}

HandleKind handle_kind(const void *p)
{
    const Slot *s = find(p);
    return s ? s->kind : HANDLE_NONE;
}

// Forgets p if it is live and of the given kind; returns whether it was.
static bool handle_remove(const void *p, HandleKind kind)
{
    Slot *s = find(p);
    if (!s || s->kind != kind)
        return false;
    s->p = TOMBSTONE;
    s->kind = HANDLE_NONE;
    live--;
    return true;
}

void handle_sweep(HandleKind kind, bool (*fn)(void *))
{
    for (uint32_t i = 0; i < capacity; i++) {
        Slot &s = slots[i];
        if (s.p && s.p != TOMBSTONE && s.kind == kind && fn(const_cast<void *>(s.p))) {
            s.p = TOMBSTONE;
            s.kind = HANDLE_NONE;
            live--;
        }
    }
}

uint32_t handle_count() { return live; }

namespace
{

void release_surface(void *p) { SDL_FreeSurface(static_cast<SDL_Surface *>(p)); }
void release_font(void *p) { TTF_CloseFont(static_cast<TTF_Font *>(p)); }
void release_sound(void *p) { Mix_FreeChunk(static_cast<Mix_Chunk *>(p)); }
void release_music(void *p)
{
    end_music_fade();
    Mix_FreeMusic(static_cast<Mix_Music *>(p));
}

// handle_sweep callbacks for quit: whether the handle was released.
template <void (*release)(void *)> bool release_always(void *p)
{
    release(p);
    return true;
}

bool release_if_video_memory(void *p)
{
    if (!(static_cast<SDL_Surface *>(p)->flags & SDL_HWSURFACE))
        return false;
    release_surface(p);
    return true;
}

// How each kind of handle is released, by its free function and by quit.
struct Release {
    void (*at_free)(void *);
    bool (*at_quit)(void *);
};

const Release kRelease[] = {
    {nullptr, nullptr}, // HANDLE_NONE
    {release_surface, release_if_video_memory},
    {release_font, release_always<release_font>},
    {release_sound, release_always<release_sound>},
    {release_music, release_always<release_music>},
};
static_assert(sizeof(kRelease) / sizeof(kRelease[0]) == HANDLE_MUSIC + 1, "one row per kind");

} // namespace

int free_handle_arg(lua_State *L, HandleKind kind)
{
    void *p = lua_touserdata(L, 1);
    if (handle_remove(p, kind))
        kRelease[kind].at_free(p);
    return 0;
}

void release_handles_at_quit()
{
    // Kind by kind: music, sounds, fonts, then surfaces.
    for (int k = HANDLE_MUSIC; k > HANDLE_NONE; k--)
        handle_sweep(static_cast<HandleKind>(k), kRelease[k].at_quit);
}
