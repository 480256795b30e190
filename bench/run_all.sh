#!/usr/bin/env bash
# Builds the benchmarks in release mode and prints every ratio they are held to.
# Usage: bench/run_all.sh [BUILD_DIR]   (default: build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DFENWARP_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target sdo_bench bank_bench firmware_bench fenwarp-cli >/dev/null
echo "== SDO table";      bash bench/sdo_ratios.sh "$build"
echo "== Bank compiler";  bash bench/bank_ratios.sh "$build"
echo "== Firmware patch"; bash bench/firmware_ratios.sh "$build"
