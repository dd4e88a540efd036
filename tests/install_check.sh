#!/usr/bin/env bash
# Installs the module both ways into temporary places, `cmake --install` of
# the build tree and `luarocks make` of the rockspec (offline: nothing to
# fetch), and requires it from there with each interpreter, directly and
# through the installed zedodava command.
# usage: install_check.sh BUILD_DIR LUA_VERSION INTERPRETER...
set -eu
build=$(cd "$1" && pwd) ver=$2 tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/game" && echo 'print(arg[1], require("zedodava").init ~= nil, require("zedodava.keys").escape)' \
    >"$tmp/game/main.lua"
cmake --install "$build" --prefix "$tmp/cmake" >/dev/null
cp -r "$(dirname "$0")/.." "$tmp/src" && rm -rf "$tmp"/src/build* # the tree stays clean
(cd "$tmp/src" && luarocks --lua-version "$ver" --tree "$tmp/rocks" make zedodava-dev-1.rockspec \
    >"$tmp/log" 2>&1) || { tail -n 30 "$tmp/log"; exit 1; }
for prefix in "$tmp/cmake" "$tmp/rocks"; do
    for interp in "${@:3}"; do
        (cd "$tmp" && LUA_CPATH="$prefix/lib/lua/$ver/?.so" LUA_PATH="$prefix/share/lua/$ver/?.lua" \
            META="$prefix/share/lua/$ver/zedodava/meta/zedodava.lua" "$interp" -e 'local x = require "zedodava.extra"
                local z = require "zedodava"
                assert(zedodava == z and z.init and x.probe and require("zedodava.keys").escape == 27)
                assert(require("zedodava.checked").fill and io.open(os.getenv("META")))
                assert(require("zedodava.extra.checked").probe)')
        out=$(cd / && env -u LUA_PATH -u LUA_CPATH "$prefix/bin/zedodava" --lua "$interp" "$tmp/game" hi)
        [ "$out" = "$(printf 'hi\ttrue\t27')" ] || { echo "$prefix/bin/zedodava: $out"; exit 1; }
    done
done
