#!/usr/bin/env bash
# Runs a game packed by `zedodava pack` on a newly made minimal Debian 12
# (../shared/fresh-machine.sh, which needs root), where none of the engine's
# packages are installed: the archive is unpacked there and its launcher
# started with the arguments given.
#   tools/fresh-run-pack.sh FILE.tar.gz [ARG...]
#   e.g. tools/fresh-run-pack.sh /tmp/breakout.tar.gz --headless -- --frames 300
set -euo pipefail
[ $# -ge 1 ] || { sed -n '2,7p' "$0"; exit 2; }
archive=$(readlink -f "$1")
shift
fresh=$(cd "$(dirname "$0")/../.." && pwd)/shared/fresh-machine.sh
[ -x "$fresh" ] || fresh=$(cd "$(dirname "$0")/.." && pwd)/../shared/fresh-machine.sh
name=$(tar -tzf "$archive" | cut -d/ -f1 | sort -u)
# fresh-machine.sh takes what `git archive HEAD` of a checkout gives: a
# throw-away checkout holding only the archive.
repo=$(mktemp -d)
trap 'rm -rf "$repo"' EXIT
cp "$archive" "$repo/game.tar.gz"
git -C "$repo" init -q && git -C "$repo" add game.tar.gz &&
    git -C "$repo" -c user.name=pack -c user.email=pack@localhost commit -qm "packed game"
bash "$fresh" -C "$repo" "tar -xzf game.tar.gz && ls /usr/share/fonts /usr/bin/lua* 2>&1 | head -n 3 && ./$name/run $(printf '%q ' "$@")"
