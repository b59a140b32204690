#!/usr/bin/env bash
# Configures build/ for the 32-bit MinGW-w64 cross build, with warnings as
# errors. The build, the test and the bench scripts all configure it this
# one way, so that none of them rebuilds what another has built. The
# toolchain file goes to a fresh build folder only: one that has it already
# keeps it, and would warn that it was given again.
set -euo pipefail
cd "$(dirname "$0")/.."
toolchain=()
[ -f build/CMakeCache.txt ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake)
cmake -S . -B build -G Ninja "${toolchain[@]}" -DWARNINGS_AS_ERRORS=ON "$@"
