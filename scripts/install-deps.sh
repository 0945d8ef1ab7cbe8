#!/bin/sh
# Installs the toolchain, Wine, Xvfb and the native sanitizer and fuzzer
# runtimes when they are missing (Debian).
set -eu

missing=""
command -v i686-w64-mingw32-g++-posix >/dev/null 2>&1 || missing="$missing g++-mingw-w64-i686"
command -v wine >/dev/null 2>&1 || missing="$missing wine wine32:i386"
dpkg -s wine32:i386 >/dev/null 2>&1 || missing="$missing wine32:i386"
command -v Xvfb >/dev/null 2>&1 || missing="$missing xvfb"
# Wine's own MS Sans Serif: without it the dialogs' texts are measured with a
# wider face than Windows uses and wrap differently.
dpkg -s fonts-wine >/dev/null 2>&1 || missing="$missing fonts-wine"
command -v cmake >/dev/null 2>&1 || missing="$missing cmake"
command -v ninja >/dev/null 2>&1 || missing="$missing ninja-build"
[ -d /usr/src/googletest ] || missing="$missing googletest"
command -v clang++ >/dev/null 2>&1 || missing="$missing clang"
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 ||
    missing="$missing libclang-rt-14-dev"
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo
$SUDO dpkg --add-architecture i386
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
