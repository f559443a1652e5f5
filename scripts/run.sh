#!/usr/bin/env bash
# The main job: builds the 64-bit library and its tools, then runs
# optora-cli under Wine (default: show). The Wine prefix lives in
# build/win64/demo-wine and persists between runs, apart from the tests' own,
# so `scripts/run.sh set alteration 3` then `scripts/run.sh show` works.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/deps.sh

cmake --no-warn-unused-cli -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake >/dev/null
cmake --build build/win64 -j "$(nproc)" --target optora optora-cli >/dev/null

session=build/win64/demo-wine
# Stopping the session also writes Wine's registry back to the prefix.
trap 'scripts/wine-session "$session" stop' EXIT
[[ $# -gt 0 ]] || set -- show
scripts/wine-session "$session" run build/win64/bin/optora-cli.exe "$@"
