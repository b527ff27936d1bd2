#!/usr/bin/env bash
# Runs every benchmark program of a release build, one after the other.
set -euo pipefail
build=${1:-build/release}
for program in "$build"/bench/*_bench; do
    echo "== $(basename "$program")"
    "$program" --benchmark_min_time=0.2
done
