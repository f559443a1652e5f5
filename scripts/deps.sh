#!/usr/bin/env bash
# Installs, as root with apt-get, whatever the build and the tests need and
# this machine lacks. Safe to run again: it installs only what is missing.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1; }
have cmake || need+=(cmake)
have make || need+=(make)
have g++ || need+=(g++)
have clang || need+=(clang)
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix)
have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686-posix)
have x86_64-w64-mingw32-windres || need+=(binutils-mingw-w64-x86-64)
[[ -x /usr/lib/wine/wine64 ]] || need+=(wine64)
have Xvfb || need+=(xvfb)
have flock || need+=(util-linux)
[[ -f /usr/src/googletest/CMakeLists.txt ]] || need+=(googletest)
# the Japanese locale's sources, built by the tests for code page 932
[[ -f /usr/share/i18n/locales/ja_JP ]] || need+=(locales)
# libFuzzer's runtime for the native fuzz targets
compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null || need+=(libclang-rt-dev)

if ((${#need[@]})); then
  echo "deps: installing ${need[*]}"
  if [[ $(id -u) -ne 0 ]]; then
    echo "deps: run as root (apt-get) or install these packages first" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${need[@]}" >/dev/null
fi
