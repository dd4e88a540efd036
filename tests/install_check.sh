#!/usr/bin/env bash
# Installs the module both ways into temporary places and requires it from
# outside the source tree: `cmake --install` of an existing build tree, then
# `luarocks make` of the rockspec (offline: it has no dependencies to fetch).
#
# usage: install_check.sh BUILD_DIR LUA_VERSION INTERPRETER...
set -eu
build=$(cd "$1" && pwd)
ver=$2
shift 2
src=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"

probe='local z = require "zedodava"; local k = require "zedodava.keys"
       local n = 0; for _ in pairs(z) do n = n + 1 end
       assert(n == 32 and zedodava == z and k.escape == 27 and require "zedodava.checked".fill)
       assert(io.open(PREFIX .. "/share/lua/" .. VER .. "/zedodava/meta/zedodava.lua"))
       assert(package.searchpath == nil or package.searchpath("zedodava", package.cpath):find(PREFIX, 1, true))'

check() {
    local prefix=$1 interp=$2
    LUA_CPATH="$prefix/lib/lua/$ver/?.so" LUA_PATH="$prefix/share/lua/$ver/?.lua" \
        "$interp" -e "PREFIX = '$prefix' VER = '$ver'" -e "$probe"
}

cmake --install "$build" --prefix "$tmp/cmake" >/dev/null
for interp in "$@"; do
    check "$tmp/cmake" "$interp"
done

# LuaRocks builds in a copy so the source tree stays clean.
cp -r "$src" "$tmp/src"
rm -rf "$tmp"/src/build*
(cd "$tmp/src" && luarocks --lua-version "$ver" --tree "$tmp/rocks" make zedodava-dev-1.rockspec \
    >"$tmp/luarocks.log" 2>&1) || { tail -n 30 "$tmp/luarocks.log"; exit 1; }
for interp in "$@"; do
    check "$tmp/rocks" "$interp"
done
echo "installed and required with: $*"
