#!/bin/sh
# Runs the bank benchmark and prints compile + files against the floor of
# reading the six documents and writing the six files, as a ratio (median
# wall-clock time of five runs each).
# Usage: bench/bank_ratios.sh [BUILD_DIR]   (default: build)
set -eu
build=${1:-build}
program="$build/bench/bank_bench"
[ -x "$program" ] || program="$build/bank_bench"
"$program" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null |
awk -F, '
    $1 == "\"BM_CompileAndFiles_median\"" { compile = $3; unit = $5 }
    $1 == "\"BM_Floor_median\""           { floor = $3 }
    END {
        if (compile == "" || floor == "") { print "bank_bench gave no medians"; exit 1 }
        printf "compile+files %.3f %s, floor %.3f %s, ratio %.2fx (target: within 3x)\n",
               compile, unit, floor, unit, compile / floor
    }'
