#!/usr/bin/env bash
# Installs what is missing, builds the module in every configuration and runs
# the whole test suite over all of them in one CTest run:
#   build          Lua 5.1 headers, loaded by lua5.1 and luajit (the reference)
#   build-san      the same with AddressSanitizer and UndefinedBehaviorSanitizer
#   build-lua5.2   Lua 5.2, 5.3 and 5.4 builds, each loaded by its interpreter
#   build-lua5.3   (in-process tests on 5.4 only)
#   build-lua5.4
set -euo pipefail
cd "$(dirname "$0")"
top=$PWD

bash tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
bash tools/build.sh build-san -DCMAKE_BUILD_TYPE=Debug -DZEDODAVA_SANITIZE=ON
bash tools/build.sh build-lua5.2 -DZEDODAVA_LUA=5.2 -DZEDODAVA_UNIT_TESTS=OFF -DZEDODAVA_BENCH=OFF
bash tools/build.sh build-lua5.3 -DZEDODAVA_LUA=5.3 -DZEDODAVA_UNIT_TESTS=OFF -DZEDODAVA_BENCH=OFF
bash tools/build.sh build-lua5.4 -DZEDODAVA_LUA=5.4 -DZEDODAVA_BENCH=OFF

mkdir -p build-all
{
    for d in build build-san build-lua5.2 build-lua5.3 build-lua5.4; do
        printf 'subdirs("%s")\n' "$top/$d"
    done
} >build-all/CTestTestfile.cmake
ctest --test-dir build-all -j2 --output-on-failure "$@"
