#!/usr/bin/env bash
# Builds optora.dll and optora-bench, then prints what each entry point costs
# against a raw client giving the same answer (see tools/optora-bench). It
# runs in a throwaway prefix of its own, build/win64/bench-wine, whose
# settings it rewrites.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/deps.sh

cmake --no-warn-unused-cli -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake >/dev/null
cmake --build build/win64 -j "$(nproc)" --target optora stordb optora-bench >/dev/null

session=build/win64/bench-wine
trap 'scripts/wine-session "$session" stop' EXIT
scripts/wine-session "$session" start
echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(wine64 --version 2>/dev/null || /usr/lib/wine/wine64 --version)"
scripts/wine-session "$session" run build/win64/bin/optora-bench.exe --scratch-prefix
