#!/usr/bin/env bash
# The module's dynamic symbol table defines exactly its seven public names.
set -eu
want="CC curses_on gScreen gl_on luaopen_zedodava putpixel sound_on"
got=$(nm -D --defined-only "$1" | awk '{print $3}' | sort | tr '\n' ' ' | sed 's/ $//')
if [ "$got" != "$want" ]; then
    echo "exported: $got"
    echo "expected: $want"
    exit 1
fi
