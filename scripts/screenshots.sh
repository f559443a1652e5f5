#!/usr/bin/env bash
# Renders every dialog of optora.dll to a PNG file under
# build/win64/screenshots/, opened on a virtual display under Wine, so the
# dialogs can be looked at without Windows.
#
#   scripts/screenshots.sh [--lang de]
# With --lang de the German language library sits beside optora.dll (in a
# copy of the programs under build/win64/screenshots-de/bin) and the pictures
# go to build/win64/screenshots/de/.
set -euo pipefail
lang=
if [ "${1:-}" = --lang ]; then
  lang=${2:?--lang needs a language, for example de}
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/deps.sh

cmake --no-warn-unused-cli -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake >/dev/null
cmake --build build/win64 -j "$(nproc)" --target optora optora-shots devqueue >/dev/null

out=build/win64/screenshots
bin=build/win64/bin
if [ -n "$lang" ]; then
  cmake --build build/win64 -j "$(nproc)" --target optorares >/dev/null
  out=$out/$lang
  bin=build/win64/screenshots-$lang/bin
  rm -rf "$bin"
  mkdir -p "$bin"
  cp build/win64/bin/*.dll build/win64/bin/optora-shots.exe "$bin"/
  cp "build/win64/lang/$lang/optorares.dll" "$bin"/
fi
rm -rf "$out"
mkdir -p "$out"
session=build/win64/screenshots-wine
trap 'scripts/wine-session "$session" stop' EXIT
# Wine maps / to drive Z:, so the tool writes straight into the build tree.
status=0
scripts/wine-session "$session" run "$bin/optora-shots.exe" "Z:$(realpath "$out" | tr / '\\')" || status=$?
ls "$out"
exit "$status"
