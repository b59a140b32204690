#!/usr/bin/env bash
# Makes a fresh Wine prefix (code page 932) for one run: scripts/wineprefix.sh PREFIX [RECORDER]
# With RECORDER, that program stands in for cmd.exe and net.exe in the prefix,
# so what velk and tamrel start is written down instead of run.
set -euo pipefail
prefix=$1
recorder=${2:-}

export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$prefix" ] && wineserver -k 2>/dev/null || true
rm -rf "$prefix"
wineboot -i
wineserver -w
if [ -n "$recorder" ]; then
    for name in cmd.exe net.exe; do
        cp "$recorder" "$prefix/drive_c/windows/system32/$name"
    done
fi
