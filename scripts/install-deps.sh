#!/bin/bash
# Installs what the build and the tests need and the machine lacks (Debian):
# both mingw-w64 cross compilers, Wine's 64-bit part, Xvfb, Wine's fonts,
# the locale compiler,
# CMake, Ninja, GoogleTest, clang with its sanitizer and fuzzer runtimes;
# Wine's 32-bit part only where the host runs 32-bit code (scripts/host.sh).
# Extra Debian packages that one script needs come as arguments:
#   scripts/install-deps.sh imagemagick
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/host.sh
[ -n "${HOST_RUNS_32BIT:-}" ] || host_probe

missing=""
need() { dpkg -s "$1" >/dev/null 2>&1 || missing="$missing $1"; }

need g++-mingw-w64-i686
need g++-mingw-w64-x86-64
need wine
need wine64
[ "$HOST_RUNS_32BIT" = 1 ] && need wine32:i386
need xvfb
# Wine's own MS Sans Serif: without it the dialogs' texts are measured with a
# wider face than Windows uses and wrap differently.
need fonts-wine
# localedef, for the locales whose code pages the tests run programs in.
need locales
command -v cmake >/dev/null 2>&1 || missing="$missing cmake"
command -v ninja >/dev/null 2>&1 || missing="$missing ninja-build"
[ -d /usr/src/googletest ] || missing="$missing googletest"
command -v clang++ >/dev/null 2>&1 || missing="$missing clang"
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 ||
    missing="$missing libclang-rt-14-dev"
for package in "$@"; do
    need "$package"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo
case "$missing" in
*:i386*)
    $SUDO dpkg --add-architecture i386 ;;
esac
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
