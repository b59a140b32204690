#!/usr/bin/env bash
# Installs what is missing, builds build/bin/velk.exe and build/bin/tamrel.exe,
# and shows velk at work under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
cmake --build build

prefix=$PWD/build/wineprefix-demo
echo "Preparing a Wine prefix in $prefix ..."
bash scripts/wineprefix.sh "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=ja_JP.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
show() {
    echo "\$ wine build/bin/velk.exe $*"
    wine build/bin/velk.exe "$@" | iconv -f CP932 -t UTF-8 || true
    echo "(exit status ${PIPESTATUS[0]})"
}
show help
show no-such-program.exe
show hostname.exe
wineserver -w
wineserver -k
