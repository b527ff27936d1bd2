#!/usr/bin/env bash
# Runs every benchmark program of a release build, one after the other. Each prints its own
# comparison; read them as ratios within one run, the machines are noisy.
set -euo pipefail
build=${1:-build/release}
for program in "$build"/bench/*_bench; do
    echo "== $(basename "$program")"
    case "$program" in
        *startup_bench) "$program" ;;
        *) "$program" --benchmark_min_time=0.2 ;;
    esac
done
