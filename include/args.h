// Argument readers and result pushers shared by every handler. Each reads
// one stack slot once; none raises a Lua error except opt_channel, which
// inherits luaL_optnumber's bad-argument error.
#ifndef ZEDODAVA_ARGS_H
#define ZEDODAVA_ARGS_H

#include <cstdint>

#include <lua.hpp>

// Truncates toward zero and wraps modulo 2^32; NaN and infinities give 0.
// Defined for every double (a plain cast is not).
int32_t to_i32_wide(double d);

// Every argument of every drawing call passes here, so the common case is one
// comparison on the fall-through path: |d| < 2^31 truncates exactly. The
// rest (-2^31 itself, out-of-range values, NaN, infinities) takes the call.
inline int32_t to_i32(double d)
{
    if (__builtin_expect(__builtin_fabs(d) < 2147483648.0, 1))
        return static_cast<int32_t>(d);
    return to_i32_wide(d);
}

// Integer argument: absent or non-numeric reads 0.
inline int32_t arg_int(lua_State *L, int i) { return to_i32(lua_tonumber(L, i)); }

// The same value cut to 16 bits, for SDL_Rect positions and SDL_gfx coordinates.
inline int16_t arg_i16(lua_State *L, int i)
{
    return static_cast<int16_t>(static_cast<uint16_t>(arg_int(L, i)));
}

// A colour channel: the integer's low 8 bits.
inline uint8_t arg_u8(lua_State *L, int i) { return static_cast<uint8_t>(arg_int(L, i)); }

// Boolean argument: nil, false and absent are false; everything else is true.
inline bool arg_bool(lua_State *L, int i) { return lua_toboolean(L, i) != 0; }

// Optional integer with default -1 (the console's colour channels).
inline int32_t opt_channel(lua_State *L, int i) { return to_i32(luaL_optnumber(L, i, -1.0)); }

// Whole-number results: integers where the interpreter has them (5.3 on).
inline void push_int(lua_State *L, int32_t v)
{
#if LUA_VERSION_NUM >= 503
    lua_pushinteger(L, v);
#else
    lua_pushnumber(L, static_cast<lua_Number>(v));
#endif
}

#endif
