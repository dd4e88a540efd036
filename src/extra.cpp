// zedodava.extra: parts of sprite sheets, stretched, faded, rotated and
// zoomed sprites, window title, text measure and style, pixel read-back,
// screenshots, sound stops, fades and volumes, typed text, key repeat, the
// close request, file probes and the drivers in use. The table is built by a loader that the main
// module puts in package.preload; lua/zedodava/extra.lua serves a require that comes before the
// main module's. The functions share the main module's handle registry and its rules: a handle that
// is not live of the right kind is ignored, and each is safe before init and after quit.
#include "extra.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <SDL_image.h>
#include <SDL_mixer.h>
#include <SDL_rotozoom.h>

#include "args.h"
#include "audio.h"
#include "core.h"
#include "fastpath.h"
#include "filecheck.h"
#include "handles.h"
#include "input.h"
#include "pngsave.h"
#include "surface.h"
#include "text.h"

namespace
{

// Failure results: nil and a reason.
int fail(lua_State *L, const char *reason)
{
    lua_pushnil(L);
    lua_pushstring(L, reason);
    return 2;
}

// blitPart(src, sx, sy, sw, sh, x, y, target): the sw x sh rectangle at
// sx, sy of the source, cut to the source and clipped as blit clips, onto
// x, y. Sizes of 0 or less draw nothing; positions are read as blit reads them.
int l_blitPart(lua_State *L)
{
    SDL_Surface *src = arg_handle<SDL_Surface>(L, 1, HANDLE_SURFACE);
    const int32_t sw = arg_int(L, 4), sh = arg_int(L, 5);
    SDL_Rect part = {arg_i16(L, 2), arg_i16(L, 3), Uint16(sw < 65535 ? sw : 65535),
                     Uint16(sh < 65535 ? sh : 65535)};
    SDL_Rect dst = {arg_i16(L, 6), arg_i16(L, 7), part.w, part.h};
    SDL_Surface *target = arg_target(L, 8);
    if (src && target && sw > 0 && sh > 0)
        fast_blit(src, &part, target, &dst);
    return 0;
}

// Draws src over the w x h rectangle at x, y with opacity (see fastpath.h);
// at its own size and full opacity that is blit itself.
void draw_stretched(SDL_Surface *src, SDL_Surface *target, int16_t x, int16_t y, int32_t w,
                    int32_t h, Uint8 opacity)
{
    if (!src || !target || opacity == 0)
        return;
    if (w == src->w && h == src->h && opacity == 255) {
        SDL_Rect dst = {x, y, Uint16(w), Uint16(h)};
        fast_blit(src, nullptr, target, &dst);
    } else {
        fast_blit_scaled(src, target, x, y, w, h, opacity);
    }
}

// blitScaled(src, x, y, w, h, target): the whole source stretched to w x h
// (nearest pixel). Sizes of 0 or less draw nothing.
int l_blitScaled(lua_State *L)
{
    SDL_Surface *src = arg_handle<SDL_Surface>(L, 1, HANDLE_SURFACE);
    draw_stretched(src, arg_target(L, 6), arg_i16(L, 2), arg_i16(L, 3), arg_int(L, 4),
                   arg_int(L, 5), 255);
    return 0;
}

// blitAlpha(src, x, y, opacity, target): blit with every source alpha
// scaled by opacity, held to 0..255 (0, or none given, draws nothing).
int l_blitAlpha(lua_State *L)
{
    SDL_Surface *src = arg_handle<SDL_Surface>(L, 1, HANDLE_SURFACE);
    const int32_t o = arg_int(L, 4);
    SDL_Surface *target = arg_target(L, 5);
    if (src)
        draw_stretched(src, target, arg_i16(L, 2), arg_i16(L, 3), src->w, src->h,
                       Uint8(o < 0     ? 0
                             : o > 255 ? 255
                                       : o));
    return 0;
}

// transform(src, angle, zoomx, zoomy, smooth) -> surface, w, h: a new
// surface, the source turned by angle degrees counter-clockwise and zoomed
// (a negative zoom mirrors); smooth filters it. zoomx absent is 1, zoomy
// absent is zoomx. Nothing for a zoom of 0, a number that is not finite, a
// result past 16383 pixels either way, or with no display to convert for.
int l_transform(lua_State *L)
{
    SDL_Surface *src = arg_handle<SDL_Surface>(L, 1, HANDLE_SURFACE);
    const double angle = lua_tonumber(L, 2);
    const double zx = lua_isnoneornil(L, 3) ? 1.0 : lua_tonumber(L, 3);
    const double zy = lua_isnoneornil(L, 4) ? zx : lua_tonumber(L, 4);
    const int smooth = arg_bool(L, 5) ? SMOOTHING_ON : SMOOTHING_OFF;
    if (!src || !SDL_GetVideoSurface() || !std::isfinite(angle) || zx == 0 || zy == 0)
        return 0;
    // An empty source has nothing to turn (and the zoom's mirroring would
    // step outside it).
    if (src->w <= 0 || src->h <= 0)
        return 0;
    // The turned rectangle's box is at most |zx| w + |zy| h each way (false
    // for NaN and infinities too).
    if (!(std::fabs(zx) * src->w + std::fabs(zy) * src->h <= 16383))
        return 0;
    // Quarter turns at full size exactly (the general turn may lose an edge row).
    const bool quarter = zx == 1 && zy == 1 && std::fmod(angle, 90) == 0 && std::fabs(angle) < 1e9;
    SDL_Surface *made = quarter ? rotateSurface90Degrees(src, ((int(-angle / 90) % 4) + 4) % 4)
                                : rotozoomSurfaceXY(src, angle, zx, zy, smooth);
    // The turn gives a colour key (and run-length encoding) on top of the
    // alpha it already has; without them it is a surface like any other.
    if (made) {
        SDL_SetColorKey(made, 0, 0);
        SDL_SetAlpha(made, SDL_SRCALPHA, 0);
    }
    SDL_Surface *s = made ? to_display_alpha(made) : nullptr;
    return s ? push_surface(L, s) : 0;
}

// setTitle(text): the window's title (and its icon's). Before init there is
// no window to name; non-text is ignored.
int l_setTitle(lua_State *L)
{
    const char *text = lua_tolstring(L, 1, nullptr);
    if (text && gScreen)
        SDL_WM_SetCaption(text, text);
    return 0;
}

// textSize(font, text) -> w, h: the size of what printFont renders. Empty
// text is 0 wide and the font's height tall; no font or no text, nothing.
int l_textSize(lua_State *L)
{
    TTF_Font *font = arg_handle<TTF_Font>(L, 1, HANDLE_FONT);
    const char *text = lua_tolstring(L, 2, nullptr);
    int w = 0, h = 0;
    if (!font || !text || !text_size(font, text, &w, &h))
        return 0;
    push_int(L, w);
    push_int(L, h);
    return 2;
}

// getpix(x, y, target) -> r, g, b, a. Nothing outside the target, nor from
// a screen without pixels (OpenGL). Alpha is 255 where the target has none.
int l_getpix(lua_State *L)
{
    const int32_t x = arg_int(L, 1), y = arg_int(L, 2);
    SDL_Surface *t = arg_target(L, 3);
    if (!t || x < 0 || y < 0 || x >= t->w || y >= t->h || SDL_LockSurface(t) < 0)
        return 0;
    Uint8 r, g, b, a;
    const bool has = t->pixels != nullptr;
    if (has)
        SDL_GetRGBA(load_pixel(t, x, y), t->format, &r, &g, &b, &a);
    SDL_UnlockSurface(t);
    if (!has)
        return 0;
    for (Uint8 c : {r, g, b, a})
        push_int(L, c);
    return 4;
}

// saveImage(target, path) -> true, or nil and a reason.
int l_saveImage(lua_State *L)
{
    const bool given = lua_touserdata(L, 1) != nullptr;
    SDL_Surface *t = arg_target(L, 1);
    const char *path = lua_tolstring(L, 2, nullptr);
    if (!t)
        return fail(L, given ? "not a live surface" : "no screen (before init or after quit)");
    if (!t->pixels && t == gScreen && gl_on)
        return fail(L, "an OpenGL screen has no pixels to save");
    if (!path)
        return fail(L, "no file name");
    char reason[512];
    if (save_png(t, path, reason, sizeof reason))
        return fail(L, reason);
    lua_pushboolean(L, 1);
    return 1;
}

// drivers() -> video, audio: the names SDL gives the drivers in use; nil
// for one that is not running (before init, after quit, no sound card).
int l_drivers(lua_State *L)
{
    char video[64], audio[64];
    const bool v = SDL_VideoDriverName(video, sizeof video) != nullptr;
    const bool a = sound_on && SDL_AudioDriverName(audio, sizeof audio) != nullptr;
    v ? (void)lua_pushstring(L, video) : lua_pushnil(L); // 5.2 and up return the string
    a ? (void)lua_pushstring(L, audio) : lua_pushnil(L);
    return 2;
}

// stopSounds(), stopMusic(), fadeMusic(ms): no-ops while the mixer is not
// open. Paused music has no fade to make (the mixer would hold it paused
// half-way for ever): it stops at once, as a fade of 0 ms or less does.
int l_stopSounds(lua_State *)
{
    if (mixer_ready())
        Mix_HaltChannel(-1);
    return 0;
}

int l_stopMusic(lua_State *)
{
    if (mixer_ready())
        Mix_HaltMusic();
    return 0;
}

int l_fadeMusic(lua_State *L)
{
    const int32_t ms = arg_int(L, 1);
    if (!mixer_ready())
        return 0;
    if (ms <= 0 || Mix_PausedMusic())
        Mix_HaltMusic();
    else
        Mix_FadeOutMusic(ms);
    return 0;
}

// soundVolume(sound, volume) -> the volume before: 0..128 (more is 128),
// -1 only reads. Nothing without a live sound or an open mixer.
int l_soundVolume(lua_State *L)
{
    Mix_Chunk *chunk = arg_handle<Mix_Chunk>(L, 1, HANDLE_SOUND);
    if (!chunk || !mixer_ready())
        return 0;
    push_int(L, Mix_VolumeChunk(chunk, arg_int(L, 2)));
    return 1;
}

// fontStyle(font, style): 0 plain, or the sum of 1 bold, 2 italic,
// 4 underline (other bits are ignored), for every later printFont and textSize.
int l_fontStyle(lua_State *L)
{
    TTF_Font *font = arg_handle<TTF_Font>(L, 1, HANDLE_FONT);
    if (font)
        TTF_SetFontStyle(font, arg_int(L, 2) & 7);
    return 0;
}

// keyRepeat(delay, interval): held keys repeat their press after delay ms,
// then every interval ms; a delay of 0 stops it. Video start-up turns it
// off, so only a window takes it.
int l_keyRepeat(lua_State *L)
{
    const int32_t delay = arg_int(L, 1), interval = arg_int(L, 2);
    if (gScreen && delay >= 0 && interval >= 0)
        SDL_EnableKeyRepeat(delay, interval);
    return 0;
}

// textInput(on): whether key presses carry the text they type.
int l_textInput(lua_State *L)
{
    text_input = arg_bool(L, 1);
    SDL_EnableUNICODE(text_input ? 1 : 0);
    return 0;
}

// typed() -> the UTF-8 text of the key press input last returned, nil for
// any other event, a key that types nothing printable, or text input off.
int l_typed(lua_State *L)
{
    const uint32_t c = last_typed;
    if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c < 0xE000) || !text_input) {
        lua_pushnil(L);
        return 1;
    }
    char s[3];
    size_t n = 1;
    if (c < 0x80) {
        s[0] = char(c);
    } else if (c < 0x800) {
        s[0] = char(0xC0 | c >> 6), s[1] = char(0x80 | (c & 0x3F)), n = 2;
    } else {
        s[0] = char(0xE0 | c >> 12), s[1] = char(0x80 | (c >> 6 & 0x3F));
        s[2] = char(0x80 | (c & 0x3F)), n = 3;
    }
    lua_pushlstring(L, s, n);
    return 1;
}

// catchClose(on): see input.h.
int l_catchClose(lua_State *L)
{
    catch_close = arg_bool(L, 1);
    return 0;
}

enum ProbeKind { PROBE_IMAGE, PROBE_FONT, PROBE_SOUND, PROBE_MUSIC, PROBE_KINDS };
const char *const kProbeKinds[PROBE_KINDS] = {"image", "font", "sound", "music"};
const char *const kProbeLibrary[PROBE_KINDS] = {"SDL_image", "SDL_ttf", "SDL_mixer", "SDL_mixer"};

// The mixer the loaders need; when the script's is not open, one on the
// silent disk driver (the child's own: it goes when the child ends).
const char *child_mixer()
{
    if (Mix_QuerySpec(nullptr, nullptr, nullptr))
        return nullptr;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    SDL_QuitSubSystem(SDL_INIT_AUDIO); // started on a driver that did not open
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0 || Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 4096) < 0)
        return SDL_GetError();
    return nullptr;
}

// In the child: loads the file as the script's load call would, and returns
// null when it loads, the library's reason when it does not.
const char *load_in_child(ProbeKind kind, const char *path)
{
    const char *err = nullptr;
    switch (kind) {
    case PROBE_IMAGE:
        return IMG_Load(path) ? nullptr : IMG_GetError();
    case PROBE_FONT:
        if (!TTF_WasInit() && TTF_Init() < 0)
            return TTF_GetError();
        return TTF_OpenFont(path, 16) ? nullptr : TTF_GetError();
    case PROBE_SOUND:
        if ((err = child_mixer()))
            return err;
        return Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1) ? nullptr : Mix_GetError();
    case PROBE_MUSIC: {
        static char why[320]; // a file the mixer would crash or hang on, loading or playing
        if ((err = child_mixer()))
            return err;
        if (music_hazard(path, why, sizeof why))
            return why;
        return Mix_LoadMUS(path) ? nullptr : Mix_GetError();
    }
    default:
        return "unknown kind";
    }
}

// How long a child may take over one file before it is taken as hung.
const unsigned kProbeSeconds = 60;

// probe(path, kind) -> true, or nil and a reason. The load runs in a child
// process, so a library that crashes or hangs on a broken file ends only
// the child; the child sends the library's reason back through a pipe.
int l_probe(lua_State *L)
{
    const char *path = lua_tolstring(L, 1, nullptr);
    const char *kind_name = lua_tolstring(L, 2, nullptr);
    int kind = 0;
    while (kind < PROBE_KINDS && !(kind_name && strcmp(kind_name, kProbeKinds[kind]) == 0))
        kind++;
    if (kind == PROBE_KINDS)
        return fail(L, "kind must be \"image\", \"font\", \"sound\" or \"music\"");
    if (!path)
        return fail(L, "no file name");

    char reason[512];
    const char *lib = kProbeLibrary[kind];
    int fds[2];
    if (pipe(fds) < 0) {
        snprintf(reason, sizeof reason, "cannot check it: %s", strerror(errno));
        return fail(L, reason);
    }
    fflush(nullptr); // nothing buffered is written twice
    // The sound thread is held between two mixes while the process forks, so
    // the child cannot inherit a lock (the allocator's among them) that the
    // thread held at that moment and that no thread of the child would free.
    SDL_LockAudio();
    const pid_t pid = fork();
    if (pid != 0)
        SDL_UnlockAudio();
    if (pid == 0) {
        close(fds[0]);
        const int null_fd = open("/dev/null", O_RDWR);
        dup2(null_fd, 1), dup2(null_fd, 2); // the libraries' own messages
        for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGALRM})
            signal(sig, SIG_DFL);
        alarm(kProbeSeconds);
        const char *err = load_in_child(static_cast<ProbeKind>(kind), path);
        if (err && write(fds[1], err, strlen(err)) < 0)
            _exit(3);
        _exit(err ? 2 : 0);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        snprintf(reason, sizeof reason, "cannot check it: %s", strerror(errno));
        return fail(L, reason);
    }
    size_t n = 0;
    for (ssize_t got; n < sizeof reason - 1; n += size_t(got)) {
        got = read(fds[0], reason + n, sizeof reason - 1 - n);
        if (got < 0 && errno == EINTR)
            got = 0;
        else if (got <= 0)
            break;
    }
    reason[n] = 0;
    close(fds[0]);
    int status = 0;
    pid_t done;
    while ((done = waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    if (done == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        lua_pushboolean(L, 1);
        return 1;
    }
    if (done == pid && WIFEXITED(status) && WEXITSTATUS(status) == 2 && n > 0)
        return fail(L, reason);
    if (done != pid)
        snprintf(reason, sizeof reason, "cannot check it: %s", strerror(errno));
    else if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM)
        snprintf(reason, sizeof reason, "%s took over %u seconds reading it", lib, kProbeSeconds);
    else if (WIFSIGNALED(status))
        snprintf(reason, sizeof reason, "%s crashed reading it (signal %d)", lib, WTERMSIG(status));
    else
        snprintf(reason, sizeof reason, "%s could not read it (exit status %d)", lib,
                 WEXITSTATUS(status));
    return fail(L, reason);
}

const luaL_Reg X[] = {
    {"blitPart", l_blitPart},     {"blitScaled", l_blitScaled},
    {"blitAlpha", l_blitAlpha},   {"transform", l_transform},
    {"setTitle", l_setTitle},     {"textSize", l_textSize},
    {"fontStyle", l_fontStyle},   {"getpix", l_getpix},
    {"saveImage", l_saveImage},   {"drivers", l_drivers},
    {"stopSounds", l_stopSounds}, {"stopMusic", l_stopMusic},
    {"fadeMusic", l_fadeMusic},   {"soundVolume", l_soundVolume},
    {"textInput", l_textInput},   {"typed", l_typed},
    {"keyRepeat", l_keyRepeat},   {"catchClose", l_catchClose},
    {"probe", l_probe},           {nullptr, nullptr},
};

int open_extra(lua_State *L)
{
    lua_newtable(L);
#if LUA_VERSION_NUM == 501
    luaL_register(L, nullptr, X);
#else
    luaL_setfuncs(L, X, 0);
#endif
    return 1;
}

} // namespace

void preload_extra(lua_State *L)
{
    lua_getglobal(L, "package");
    if (lua_istable(L, -1)) {
        lua_getfield(L, -1, "preload");
        if (lua_istable(L, -1)) {
            lua_pushcfunction(L, open_extra);
            lua_setfield(L, -2, "zedodava.extra");
        }
        lua_pop(L, 1);
    }
    lua_pop(L, 1);
}
