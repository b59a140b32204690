#!/usr/bin/env bash
# The native entry as a hosted Windows runner runs it, under Wine's own
# cmd.exe in a fresh prefix: an English system (code page 1252) whose System32
# holds a help.exe, as Windows' does, and no recorder in place of its programs.
#   tests/windows/under_wine.sh PREFIX BINDIR
# First a stand-in for the test programs shows that run.cmd fails, naming the
# program, on each fault (a failure, a crash, no test, a skipped test, a
# missing program); then the real test programs run once.
set -euo pipefail
prefix=$1
bin=$2
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=C.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
if [ -d "$prefix" ]; then wineserver -k 2>/dev/null || true; fi
rm -rf "$prefix"
# The server, Wine's own services and a program that keeps the desktop alive
# get none of this script's pipes: they outlive it, and ctest would wait.
mkdir -p "$prefix"
wineserver -p </dev/null >/dev/null 2>&1
# Ending the server ends every program of the prefix, however this script
# ends. ctest's timeout kills it outright, so the real run below has a limit
# of its own, under ctest's.
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i </dev/null >/dev/null 2>&1
cp "$bin/recorder.exe" "$prefix/drive_c/windows/system32/help.exe"
RECORDER_WAIT=forever RECORDER_LOG='C:\keeper.txt' wine "$bin/recorder.exe" </dev/null >/dev/null 2>&1 &
run_cmd=$(winepath -w "$here/run.cmd")

# Two folders of programs for run.cmd, with the stand-in as both test
# programs: all of them, and all but velk_e2e.exe.
standins=$prefix/drive_c/standins
mkdir -p "$standins/all" "$standins/missing"
for name in velk.exe tamrel.exe recorder.exe velk-test-beside.dll testresults.exe; do
    cp "$bin/$name" "$standins/all/"
done
cp "$bin/standin.exe" "$standins/all/unit_tests.exe"
cp "$bin/standin.exe" "$standins/all/velk_e2e.exe"
cp "$standins/all/"* "$standins/missing/"
rm "$standins/missing/velk_e2e.exe"

failures=0
# run FOLDER [STAND_IN_<program>=HOW...]: run.cmd on FOLDER; its output's
# lines in $output and its exit code in $status.
run() {
    local folder=$1
    shift
    status=0
    output=$(env "$@" wine cmd /c "$run_cmd" "$(winepath -w "$folder")" 'C:\standins\results' </dev/null 2>&1) ||
        status=$?
    output=${output//$'\r'/}
}
# expect [!]LINE...: run.cmd ended with 1, and its output had each LINE (none
# starting with a LINE marked !).
expect() {
    local line ok=1
    [ "$status" = 1 ] || ok=0
    for line in "$@"; do
        if [[ $line == !* ]]; then
            ! grep -qF -- "${line#!}" <<<"$output" || ok=0
        else
            grep -qxF -- "$line" <<<"$output" || ok=0
        fi
    done
    if [ $ok = 0 ]; then
        printf 'run.cmd ended with %s, expected 1 and:\n' "$status"
        printf '    %s\n' "$@"
        printf 'It printed:\n%s\n' "$output"
        failures=$((failures + 1))
    fi
}

run "$standins/all" STAND_IN_unit_tests=pass STAND_IN_velk_e2e=fail
expect "FAILED velk_e2e.exe: ended with exit code 1" "!FAILED unit_tests.exe"
run "$standins/all" STAND_IN_unit_tests=crash STAND_IN_velk_e2e=none
expect "FAILED unit_tests.exe: ended with exit code -1073741819" \
    "FAILED unit_tests.exe: wrote no test results to C:\\standins\\results\\unit_tests.xml" \
    "FAILED velk_e2e.exe: ran no test"
run "$standins/all" STAND_IN_unit_tests=skip STAND_IN_velk_e2e=pass
expect "FAILED unit_tests.exe: skipped StandIn.GoesAsAsked" "!FAILED velk_e2e.exe"
run "$standins/missing"
expect "FAILED velk_e2e.exe: missing from $(winepath -w "$standins/missing")" "!FAILED unit_tests.exe"

status=0
timeout 2100 wine cmd /c "$run_cmd" "$(winepath -w "$bin")" </dev/null || status=$?
[ $failures = 0 ] || exit 1
exit $status
