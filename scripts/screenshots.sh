#!/usr/bin/env bash
# Renders every dialog of optora.dll to a PNG file under
# build/win64/screenshots/, opened on a virtual display under Wine, so the
# dialogs can be looked at without Windows.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/deps.sh

cmake --no-warn-unused-cli -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake >/dev/null
cmake --build build/win64 -j "$(nproc)" --target optora optora-shots >/dev/null

out=build/win64/screenshots
rm -rf "$out"
mkdir -p "$out"
session=build/win64/screenshots-wine
trap 'scripts/wine-session "$session" stop' EXIT
# Wine maps / to drive Z:, so the tool writes straight into the build tree.
status=0
scripts/wine-session "$session" run build/win64/bin/optora-shots.exe "Z:$(realpath "$out" | tr / '\\')" || status=$?
ls "$out"
exit "$status"
