#!/usr/bin/env bash
# zedodava pack: breakout packed, unpacked and played headless in a mount namespace (root) where the
# libraries a minimal Debian 12 lacks are empty files, and fonts, interpreters and Lua modules are gone.
# usage: pack_check.sh MODULE_DIR INTERPRETER
set -eu
# A root that is no mount point (a chroot) has no private mount namespace to
# offer: skipped there (tools/fresh-run-pack.sh runs an archive on a real one).
unshare -m --propagation private true 2>/dev/null || { echo "pack: skipped: no private mount namespace here"; exit 77; }
here=$(cd "$(dirname "$0")" && pwd) tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
ZEDODAVA_MODULE_DIR=$1 "$here/../bin/zedodava" pack --lua "$2" "$here/../examples/breakout.lua" \
    -o "$tmp/breakout.tar.gz" >/dev/null
tar -C "$tmp" -xzf "$tmp/breakout.tar.gz"
base=$(sed -n '/^BASE_LIBS="/,/"$/p' "$here/../bin/zedodava" | tr -d '"' | cut -d= -f2- | tr ' ' '\n')
hide=($(ldd "$(command -v "$2")" "$1/zedodava.so" | awk '$2 == "=>" {print $3}' | sort -u |
    grep -vFf <(grep . <<<"$base" | sed 's|^|/|') | xargs readlink -f))
unshare -m --propagation private bash -c 'set -e
    for d in /usr/share/fonts /usr/share/lua /usr/lib/x86_64-linux-gnu/lua /usr/local; do
        [ ! -d $d ] || mount -t tmpfs none $d
    done
    for f in "$@" /usr/bin/lua*; do mount --bind /dev/null "$(readlink -f "$f")"; done
    cd / && env -i PATH=/usr/bin:/bin "'"$tmp"'/breakout/run" --headless -- --frames 30' _ "${hide[@]}" \
    >"$tmp/out" 2>&1 && grep -q "^final score" "$tmp/out" || { cat "$tmp/out"; exit 1; }
