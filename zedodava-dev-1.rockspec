package = "zedodava"
version = "dev-1"
source = {
   url = "git+file:///dev/null",
}
description = {
   summary = "Native core of a small 2D game engine for Lua: window, input, timing, drawing, text, sound, console",
   license = "MIT",
}
dependencies = {
   "lua >= 5.1, < 5.5",
}
build = {
   type = "cmake",
   variables = {
      CMAKE_BUILD_TYPE = "Release",
      ZEDODAVA_LUA_INCDIR = "$(LUA_INCDIR)",
      ZEDODAVA_TESTS = "OFF",
      ZEDODAVA_BENCH = "OFF",
      ZEDODAVA_INSTALL_CMOD = "$(LIBDIR)",
      ZEDODAVA_INSTALL_LMOD = "$(LUADIR)",
      ZEDODAVA_INSTALL_BIN = "$(BINDIR)",
   },
}
