#!/usr/bin/env bash
# Runs every benchmark program of a release build, then prints the comparisons together as a
# short table. Read them as ratios within one run: the machines are noisy.
set -euo pipefail
build=${1:-build/release}
output=$(mktemp)
summary=$(mktemp)
trap 'rm -f "$output" "$summary"' EXIT
for program in "$build"/bench/*_bench; do
    echo "== $(basename "$program")"
    case "$program" in
        *startup_bench|*send_bench) "$program" 2>/dev/null >"$output"; cat "$output" >>"$summary" ;;
        # Lists mocked devices, which the preload library provides.
        *discovery_bench|*printer_status_bench) umockdev-wrapper "$program" --benchmark_min_time=0.2 2>/dev/null >"$output"
           sed -n '/^comparison/,$p' "$output" | sed '1d' >>"$summary" ;;
        # Beside a private avahi-daemon in a network namespace of its own.
        *network_bench) bash "$(dirname "$0")/../tests/avahi-namespace.sh" "$build/bench/avahi-namespace" \
               "$program" 2>/dev/null >"$output"
           sed -n '/^comparison/,$p' "$output" | sed '1d' >>"$summary" ;;
        *) "$program" --benchmark_min_time=0.2 2>/dev/null >"$output"
           sed -n '/^comparison/,$p' "$output" | sed '1d' >>"$summary" ;;
    esac
    cat "$output"
    echo
done
echo "== summary"
cat "$summary"
