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
# xmllint, which validates the administrative templates against their schema
have xmllint || need+=(libxml2-utils)
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

# The suite's applications are 32-bit: Wine's 32-bit half runs them and the
# 32-bit library's tests. It is an i386 program, so it is worth installing only
# where the kernel executes i386 code (some virtual machines' kernels do not);
# a 96-byte program that only exits tells. Without it the 64-bit half runs.
runs_i386() {
  local probe rc
  probe=$(mktemp)
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x00\x00\x00\x00\xcd\x80' >"$probe"
  chmod +x "$probe"
  rc=0
  "$probe" 2>/dev/null || rc=1
  rm -f "$probe"
  return $rc
}
if [[ ! -x /usr/lib/wine/wine ]]; then
  if ! runs_i386; then
    echo "deps: this kernel cannot execute 32-bit programs: Wine's 32-bit half is not installed" >&2
  elif [[ $(id -u) -ne 0 ]]; then
    echo "deps: Wine's 32-bit half (wine32:i386) is missing; run as root to install it" >&2
  else
    echo "deps: installing wine32:i386"
    export DEBIAN_FRONTEND=noninteractive
    { dpkg --add-architecture i386 && apt-get update -qq && apt-get install -y -qq wine32:i386 >/dev/null; } ||
      echo "deps: Wine's 32-bit half could not be installed" >&2
  fi
fi
