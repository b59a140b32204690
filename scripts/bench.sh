#!/usr/bin/env bash
# A measurement for maintainers, not a test: how velk.exe and tamrel.exe
# compare with a minimal C program that prints the same short help and makes
# the same elevated start request. Prints the sizes, then the CPU time of
# `velk help` against the C program under Wine, over alternating runs; then
# what an index of 100,000 folders costs a launch by full path that adds
# nothing, against an index that holds only the program's own folder.
#   bash scripts/bench.sh [RUNS]   (RUNS at least 20; default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30}
[ "$runs" -ge 20 ] || { echo "at least 20 runs" >&2; exit 2; }

bash scripts/setup.sh >/dev/null
bash scripts/configure.sh >/dev/null
cmake --build build --target velk tamrel >/dev/null

work=build/bench
mkdir -p "$work"
cat > "$work/minimal.c" <<'C'
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv)
{
    if (argc < 2 || strcmp(argv[1], "help") == 0) {
        printf("\nvelk.exe [wait] [実行ファイルの名前またはフルパス及びコマンドライン | help]\n"
               "help        : ヘルプを表示します。\n"
               "wait        : プログラムの終了を待ち、その終了コードを返します。\n");
        return 0;
    }
    char directory[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, directory);
    SHELLEXECUTEINFOA record;
    ZeroMemory(&record, sizeof record);
    record.cbSize = sizeof record;
    record.fMask = SEE_MASK_NOCLOSEPROCESS;
    record.lpVerb = "runas";
    record.lpFile = argv[1];
    record.lpDirectory = directory;
    record.nShow = SW_SHOW;
    if (!ShellExecuteExA(&record)) return 1;
    CloseHandle(record.hProcess);
    return 0;
}
C
i686-w64-mingw32-gcc -O2 -s -finput-charset=UTF-8 -fexec-charset=CP932 -o "$work/minimal.exe" "$work/minimal.c" -lshell32

echo "Sizes (bytes):"
for exe in build/bin/velk.exe build/bin/tamrel.exe "$work/minimal.exe"; do
    printf '  %-28s %8d\n' "$(basename "$exe")" "$(stat -c %s "$exe")"
done

prefix=$PWD/build/wineprefix-bench
[ -d "$prefix" ] || bash scripts/wineprefix.sh "$prefix" >/dev/null 2>&1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine() { env LC_ALL=ja_JP.UTF-8 wine "$@"; }
wineserver -p >/dev/null 2>&1 </dev/null
wine wineboot >/dev/null 2>&1 </dev/null
env LC_ALL=ja_JP.UTF-8 python3 - "$runs" build/bin/velk.exe "$work/minimal.exe" <<'PY'
import resource, statistics, subprocess, sys

runs, velk, minimal = int(sys.argv[1]), sys.argv[2], sys.argv[3]

def cpu_seconds(program):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(["wine", program, "help"], stdout=subprocess.DEVNULL, check=True)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)

cpu_seconds(velk), cpu_seconds(minimal)  # warm the caches
pairs = [(cpu_seconds(velk), cpu_seconds(minimal)) for _ in range(runs)]
velk_times = [v for v, _ in pairs]
c_times = [c for _, c in pairs]
print(f"CPU time of 'help' under Wine, {runs} alternating runs (median):")
print(f"  velk.exe     {statistics.median(velk_times) * 1000:8.1f} ms")
print(f"  minimal.exe  {statistics.median(c_times) * 1000:8.1f} ms")
ratios = [v / c for v, c in pairs if c > 0]
print(f"  median ratio velk/minimal: {statistics.median(ratios):.2f}")
PY

# The launch: velk waits for the minimal program, started by its full path
# from a folder that is not on the PATH and that the index lists last.
mkdir -p "$prefix/drive_c/velk-bench"
cp "$work/minimal.exe" "$prefix/drive_c/velk-bench/minimal.exe"
roaming=$(ls -d "$prefix"/drive_c/users/*/AppData/Roaming | grep -v /Public/ | head -n 1)
mkdir -p "$roaming/Orvane"
env LC_ALL=ja_JP.UTF-8 python3 - "$runs" build/bin/velk.exe "$roaming/Orvane" "$work" <<'PY'
import os, shutil, statistics, subprocess, sys, time

runs, velk, orvane, work = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
own = "C:\\velk-bench\r\n"
indexes = {"own folder only": own,
           "100,000 folders": "".join("C:\\velk-bench\\folder%06d\r\n" % i for i in range(100000)) + own}
for name, text in indexes.items():
    with open(os.path.join(work, name), "w", newline="") as file:
        file.write(text)

def launch(name):
    shutil.copyfile(os.path.join(work, name), os.path.join(orvane, "velkindex.dat"))
    start = time.perf_counter()
    subprocess.run(["wine", velk, "wait", "C:\\velk-bench\\minimal.exe", "help"], stdout=subprocess.DEVNULL,
                   check=True)
    return time.perf_counter() - start

launch("own folder only"), launch("100,000 folders")  # warm the caches
pairs = [(launch("100,000 folders"), launch("own folder only")) for _ in range(runs)]
print(f"A launch by full path that adds nothing to the index, {runs} alternating runs (median):")
print(f"  index of 100,000 folders   {statistics.median(p[0] for p in pairs) * 1000:8.1f} ms")
print(f"  index of its own folder    {statistics.median(p[1] for p in pairs) * 1000:8.1f} ms")
print(f"  ratio of the medians: {statistics.median(p[0] for p in pairs) / statistics.median(p[1] for p in pairs):.2f}")
PY
wineserver -k
