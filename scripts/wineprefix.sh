#!/usr/bin/env bash
# Makes a fresh Wine prefix (code page 932) for one run:
#   scripts/wineprefix.sh PREFIX [RECORDER [RECORDER64]]
# With RECORDER, that program stands in for cmd.exe and net.exe in the prefix,
# so what velk and tamrel start is written down instead of run; Wine's cmd.exe
# is C:\windows\wine-cmd.exe then. With RECORDER64 the prefix is a 64-bit
# Windows, where 32-bit programs run under WOW64: the 64-bit recorder stands
# in for the programs of system32 and the 32-bit one for those of syswow64.
set -euo pipefail
prefix=$1
recorder=${2:-}
recorder64=${3:-}

arch=win32
[ -n "$recorder64" ] && arch=win64
export WINEPREFIX=$prefix WINEARCH=$arch WINEDEBUG=-all LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$prefix" ] && wineserver -k 2>/dev/null || true
rm -rf "$prefix"
wineboot -i
wineserver -w
windows=$prefix/drive_c/windows
# Wine's own cmd.exe stays at hand under another name, for the tests that run
# what velk asked the shell to start as Windows itself would run it.
if [ -n "$recorder" ]; then
    cp "$windows/system32/cmd.exe" "$windows/wine-cmd.exe"
fi
for name in cmd.exe net.exe; do
    if [ -n "$recorder64" ]; then
        cp "$recorder64" "$windows/system32/$name"
        cp "$recorder" "$windows/syswow64/$name"
    elif [ -n "$recorder" ]; then
        cp "$recorder" "$windows/system32/$name"
    fi
done
