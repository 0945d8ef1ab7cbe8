#!/bin/bash
# Runs every fuzz target for the given number of seconds (default 300).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
cmake --preset host >/dev/null
cmake --build --preset host
for target in build/host/tests/host/*_fuzz; do
    name=$(basename "$target")
    mkdir -p "build/host/corpus/$name"
    echo "== $name, $seconds s"
    "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -artifact_prefix=build/host/ \
        "build/host/corpus/$name" "fuzz/corpus/$name"
done
