#!/bin/sh
# Runs each libFuzzer target of the fuzz build for a bounded time, starting from its seed corpus.
# Usage: run.sh BUILD_DIR SECONDS_PER_TARGET. New inputs go to BUILD_DIR/corpus/<target>, crashes
# to BUILD_DIR/artifacts. Prints one summary line per target; fails if a target found a fault.
set -eu
build="$1"
seconds="$2"
here=$(dirname "$0")
status=0
for target in options_reader demo_parser; do
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target/"
    log="$build/fuzz-$target.log"
    mkdir -p "$corpus" "$artifacts"
    echo "fuzz: $target for ${seconds}s (log: $log)"
    if ! "$build/fuzz_$target" -max_total_time="$seconds" -max_len=12000 -timeout=10 \
        -rss_limit_mb=1024 -artifact_prefix="$artifacts" -print_final_stats=1 \
        "$corpus" "$here/$target" >"$log" 2>&1; then
        echo "fuzz: $target FAILED; the end of $log:" >&2
        tail -n 30 "$log" >&2
        status=1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1)
    echo "fuzz: $target: ${runs:-?} executions, $cov"
done
exit $status
