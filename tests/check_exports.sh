#!/usr/bin/env bash
# The module's dynamic symbol table defines exactly its seven public names.
got=$(nm -D --defined-only "$1" | awk '{print $3}' | sort | xargs)
[ "$got" = "CC curses_on gScreen gl_on luaopen_zedodava putpixel sound_on" ] || { echo "exported: $got"; exit 1; }
