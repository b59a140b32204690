#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs
# all tests under Wine in a prefix of this run's own.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DWARNINGS_AS_ERRORS=ON
cmake --build build

prefix=$PWD/build/wineprefix
bash scripts/wineprefix.sh "$prefix" build/bin/recorder.exe
export WINEPREFIX=$prefix
# The server and Wine's own background processes (services, devices) live for
# the whole run and hold no pipe of ctest's; started inside a test, they would
# keep its output open and ctest would wait for them.
wineserver -p >/dev/null 2>&1 </dev/null
build/wine-run.sh wineboot >/dev/null 2>&1 </dev/null
status=0
(cd build && ctest --output-on-failure -j2 "$@") || status=$?
wineserver -k || true
exit $status
