#!/usr/bin/env bash
# Builds optora.dll and the demo host, then starts optora-demo.exe under Wine
# (two of them with --two, to watch one application's change reach the
# other). With DISPLAY set the windows appear there; without it they run on
# a virtual display, so only scripts/screenshots.sh-style captures see them.
# The Wine prefix is scripts/run.sh's, build/win64/demo-wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/deps.sh

cmake --no-warn-unused-cli -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake >/dev/null
cmake --build build/win64 -j "$(nproc)" --target optora optora-demo >/dev/null

copies=1
[[ ${1:-} == --two ]] && copies=2
demo=build/win64/bin/optora-demo.exe
session=build/win64/demo-wine
if [[ -n ${DISPLAY:-} ]]; then
  export WINEPREFIX="$root/$session/prefix" WINEDEBUG=-all
  mkdir -p "$WINEPREFIX"
  for ((i = 1; i < copies; i++)); do wine "$demo" & done
  wine "$demo"
  wait
else
  echo "demo: no DISPLAY; running on the session's virtual display" >&2
  trap 'scripts/wine-session "$session" stop' EXIT
  for ((i = 1; i < copies; i++)); do scripts/wine-session "$session" run "$demo" & done
  scripts/wine-session "$session" run "$demo"
fi
