#!/bin/bash
# Release checks of the programs as built here, run by ctest inside the test
# command's Wine prefix:
# - a second build of the same sources in another folder gives the same
#   bytes for setup.exe, uninstall.exe and Chronex.exe;
# - with a throwaway certificate authority, the distribution's three
#   programs are signed and verify against it; a missing key stops the
#   configuration with a message that names it;
# - the signed setup.exe still installs, and the uninstall.exe it installs
#   is the signed one.
#   release_test.sh <source folder> <build folder> <toolchain file> <driver.exe>
set -euo pipefail
src=$1 build=$2 toolchain=$3 driver=$4
work=$(mktemp -d "$build/release-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
# The driver is run as every script runs it (drive, field, problems).
. "$src/scripts/lib.sh"
LOG=$work/driver.log
DRIVER=$driver
fail() { echo "FAILED: $*" >&2; exit 1; }
other="$work/another build"
configure() {
    cmake -S "$src" -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=MinSizeRel -DCHRONEX_BUILD_TESTS=OFF "${@:2}"
}

echo "== A second build in $other"
configure "$other" >/dev/null
cmake --build "$other" --target setup uninstall Chronex >/dev/null
for program in setup.exe uninstall.exe Chronex.exe; do
    cmp "$build/bin/$program" "$other/bin/$program" || fail "$program differs between two builds"
    echo "    $program: identical, $(stat -c %s "$other/bin/$program") bytes"
done

echo "== Signing with a throwaway certificate authority"
"$(dirname "$0")/make-test-ca.sh" "$work/ca"
if configure "$work/unsigned" -DCHRONEX_SIGN_CERT="$work/ca/chain.pem" \
    -DCHRONEX_SIGN_KEY="$work/ca/missing.pem" >"$work/missing.log" 2>&1; then
    fail "a missing key did not stop the configuration"
fi
grep -q "missing.pem" "$work/missing.log" || fail "the message does not name the missing key"
configure "$other" -DCHRONEX_SIGN_CERT="$work/ca/chain.pem" \
    -DCHRONEX_SIGN_KEY="$work/ca/key.pem" >/dev/null
cmake --build "$other" --target distribution >/dev/null
for program in setup.exe uninstall.exe Chronex.exe; do
    osslsigncode verify -CAfile "$work/ca/ca.pem" -in "$other/dist/$program" >"$work/verify.txt" 2>&1 ||
        fail "$program: $(tail -1 "$work/verify.txt")"
    grep -q '^Signature verification: ok' "$work/verify.txt" || fail "$program is not verified"
    grep -q 'Text description: Velkor Chronex' "$work/verify.txt" || fail "$program: no description"
    echo "    $program: signed, verified"
done

echo "== The signed setup.exe installs the signed uninstall.exe"
folder='C:\release check\Velkor Chronex'
drive install "$(winepath -w "$other/dist/setup.exe")" --folder "$folder" \
    --no-start --no-shortcut --fast
[ "$(field setup-exit)" = 1 ] || fail "setup.exe: $OUT"
installed="$(winepath -u "$folder")/uninstall.exe"
cmp "$other/dist/uninstall.exe" "$installed" || fail "the installed uninstall.exe is not the signed one"
echo "    installed $installed, identical to the signed one"
drive uninstall --fast
[ -z "$(problems)" ] || fail "uninstalling: $(problems)"
[ ! -e "$installed" ] || fail "the uninstaller left $installed"
echo "    uninstalled"
