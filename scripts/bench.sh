#!/usr/bin/env bash
# Builds optora.dll and optora-bench for each architecture (64- and 32-bit),
# then prints what each entry point costs against a raw client giving the
# same answer (see tools/optora-bench). Each runs in a throwaway prefix of its
# own, build/ARCH/bench-wine, whose settings it rewrites.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/deps.sh

echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(/usr/lib/wine/wine64 --version)"
for arch in win64 win32; do
  toolchain=cmake/toolchain-mingw${arch#win}.cmake
  session=build/$arch/bench-wine
  if [[ $arch == win32 ]] && ! why=$(scripts/wine-session "$session" runs32); then
    echo "bench: the 32-bit library was NOT measured: $why" >&2
    continue
  fi
  cmake --no-warn-unused-cli -S . -B "build/$arch" -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
  cmake --build "build/$arch" -j "$(nproc)" --target optora stordb optora-bench >/dev/null
  trap 'scripts/wine-session "$session" stop' EXIT
  scripts/wine-session "$session" start
  echo
  echo "$arch:"
  scripts/wine-session "$session" run "build/$arch/bin/optora-bench.exe" --scratch-prefix
  scripts/wine-session "$session" stop
  trap - EXIT
done
