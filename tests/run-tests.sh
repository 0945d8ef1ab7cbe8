#!/bin/bash
# The test command: installs what is missing, builds, and runs every test
# program under Wine in a private prefix on a private X display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw

. scripts/wine-env.sh
wine_env_start
echo "Wine prefix $WINEPREFIX, display $DISPLAY"

status=0
ctest --preset mingw "$@" || status=$?
exit $status
