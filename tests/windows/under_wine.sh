#!/usr/bin/env bash
# The native entry as a Windows machine runs it, under Wine's own cmd.exe in
# a fresh prefix (no recorder in place of System32's programs):
#   tests/windows/under_wine.sh PREFIX BINDIR
set -euo pipefail
prefix=$1
bin=$2
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=ja_JP.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$prefix" ] && wineserver -k 2>/dev/null || true
rm -rf "$prefix"
# The server, Wine's own services and a program that keeps the desktop alive
# get none of this script's pipes: they outlive it, and ctest would wait.
mkdir -p "$prefix"
wineserver -p </dev/null >/dev/null 2>&1
wineboot -i </dev/null >/dev/null 2>&1
RECORDER_WAIT=forever RECORDER_LOG='C:\keeper.txt' wine "$bin/recorder.exe" </dev/null >/dev/null 2>&1 &
status=0
wine cmd /c "$(winepath -w "$here/run.cmd")" "$(winepath -w "$bin")" </dev/null || status=$?
wineserver -k || true
exit $status
