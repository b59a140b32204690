#!/usr/bin/env bash
# Configures build/ for the 32-bit MinGW-w64 cross build, with warnings as
# errors. The build, the test and the bench scripts all configure it this
# one way, so that none of them rebuilds what another has built.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DWARNINGS_AS_ERRORS=ON "$@"
