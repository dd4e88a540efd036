#!/usr/bin/env bash
# Installs what is missing, builds the module in its normal and its sanitizer
# (ASan + UBSan) configuration, and runs the whole test suite on both in one
# CTest run.
set -euo pipefail
cd "$(dirname "$0")"
top=$PWD

bash tools/install-deps.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
cmake -S . -B build-san -DCMAKE_BUILD_TYPE=Debug -DZEDODAVA_SANITIZE=ON >/dev/null
cmake --build build-san -j2

mkdir -p build-all
printf 'subdirs("%s" "%s")\n' "$top/build" "$top/build-san" >build-all/CTestTestfile.cmake
ctest --test-dir build-all -j2 --output-on-failure "$@"
