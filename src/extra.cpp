// zedodava.extra: window title, text measure, pixel read-back, screenshots,
// sound stops and fades, typed text, the close request, file probes and the
// drivers in use. The table is built by a loader that the main module puts
// in package.preload; lua/zedodava/extra.lua serves a require that comes
// before the main module's. The functions share the main module's handle
// registry and its rules: a handle that is not live of the right kind is
// ignored, and each is safe before init and after quit.
#include "extra.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <SDL_image.h>
#include <SDL_mixer.h>

#include "args.h"
#include "audio.h"
#include "core.h"
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
    if (v)
        lua_pushstring(L, video);
    else
        lua_pushnil(L);
    if (a)
        lua_pushstring(L, audio);
    else
        lua_pushnil(L);
    return 2;
}

// stopSounds(), stopMusic(), fadeMusic(ms): no-ops while the mixer is not
// open. Paused music has no fade to make (the mixer would hold it paused
// half-way for ever): it stops at once, as a fade of 0 ms or less does.
int l_stopSounds(lua_State *)
{
    if (mixer_open())
        Mix_HaltChannel(-1);
    return 0;
}

int l_stopMusic(lua_State *)
{
    if (mixer_open())
        Mix_HaltMusic();
    return 0;
}

int l_fadeMusic(lua_State *L)
{
    const int32_t ms = arg_int(L, 1);
    if (!mixer_open())
        return 0;
    if (ms <= 0 || Mix_PausedMusic())
        Mix_HaltMusic();
    else
        Mix_FadeOutMusic(ms);
    return 0;
}

// textInput(on): whether key presses carry the text they type.
int l_textInput(lua_State *L)
{
    SDL_EnableUNICODE(arg_bool(L, 1) ? 1 : 0);
    return 0;
}

// typed() -> the UTF-8 text of the key press input last returned, nil for
// any other event, a key that types nothing printable, or text input off.
int l_typed(lua_State *L)
{
    const uint32_t c = last_typed;
    if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c < 0xE000) || SDL_EnableUNICODE(-1) != 1) {
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
    case PROBE_MUSIC:
        if ((err = child_mixer()))
            return err;
        return Mix_LoadMUS(path) ? nullptr : Mix_GetError();
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
    const pid_t pid = fork();
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
    {"setTitle", l_setTitle},   {"textSize", l_textSize},     {"getpix", l_getpix},
    {"saveImage", l_saveImage}, {"drivers", l_drivers},       {"stopSounds", l_stopSounds},
    {"stopMusic", l_stopMusic}, {"fadeMusic", l_fadeMusic},   {"textInput", l_textInput},
    {"typed", l_typed},         {"catchClose", l_catchClose}, {"probe", l_probe},
    {nullptr, nullptr},
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
