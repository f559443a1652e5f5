#!/usr/bin/env bash
# Builds both Windows targets and the native checks, then runs every test:
# the native ones directly, the Windows ones under Wine through ctest.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/deps.sh

build() {  # build DIR [cmake options...]
  local dir=$1
  shift
  cmake --no-warn-unused-cli -S . -B "build/$dir" "$@" >/dev/null
  cmake --build "build/$dir" -j "$(nproc)"
}

build native
build win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake
build win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake

ctest --test-dir build/native --output-on-failure
# The parsers of stored files against arbitrary bytes, for a bounded time.
build fuzz -DOPTORA_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
for fuzzer in build/fuzz/bin/*_fuzz; do
  "$fuzzer" -max_total_time=20 2>&1 | tail -n 1  # pipefail: a crash fails the run
done
# Both packages hold the same tree, each of its own architecture.
scripts/check-packages build/win64 build/win32
# ctest's own fixture stops each Wine session; this covers an interrupted run.
trap 'scripts/wine-session build/win64/wine stop; scripts/wine-session build/win32/wine stop' EXIT
ctest --test-dir build/win64 --output-on-failure
# The suite's applications are 32-bit, so the 32-bit library runs the same
# tests; where this machine cannot run them, say so rather than pass quietly.
if why=$(scripts/wine-session build/win32/wine runs32); then
  ctest --test-dir build/win32 --output-on-failure
else
  echo "test: THE 32-BIT TESTS WERE NOT RUN: $why" >&2
fi
