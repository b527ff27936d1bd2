#!/usr/bin/env bash
# Runs every fuzzer of the fuzz build for a while (FUZZ_SECONDS each, 60 by default), keeping
# what it finds in the build tree's corpus, and prints the executions each managed.
set -euo pipefail
build=${1:-build/fuzz}
seconds=${FUZZ_SECONDS:-60}
total=0
printf '%-24s %14s %10s\n' fuzzer executions seconds
for program in "$build"/fuzz/fuzz_*; do
    [[ -x "$program" && ! -d "$program" ]] || continue
    name=$(basename "$program")
    log=$(mktemp)
    if ! "$program" -max_total_time="$seconds" -print_final_stats=1 \
        "$build/fuzz/corpus/$name" "fuzz/corpus/$name" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "$name failed; the input that broke it is in the working directory (crash-*)" >&2
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rm -f "$log"
    total=$((total + runs))
    printf '%-24s %14d %10d\n' "$name" "$runs" "$seconds"
done
printf '%-24s %14d\n' total "$total"
