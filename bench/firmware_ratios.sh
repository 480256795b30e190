#!/usr/bin/env bash
# Times the patch of banks 1 and 2 into a 4 MB template beside srec_cat doing
# the same replacement and a plain copy of the template (cp, and a copy in
# process), in one run, and prints the ratios: first in process, then as whole
# processes (fenwarp-cli patch, cp, srec_cat) with the patch's peak memory.
# Goals, whole process: patch <= 1.5 x cp and <= 0.05 x srec_cat.
# Usage: bench/firmware_ratios.sh [BUILD_DIR]   (default: build)
set -euo pipefail
build=${1:-build}
bench=$(find "$build" -name firmware_bench -type f -perm -u+x | head -n 1)
if [ -z "$bench" ]; then
  echo "firmware_bench not found under $build; build it with: cmake --build $build --target firmware_bench" >&2
  exit 1
fi
command -v srec_cat >/dev/null || { echo "srec_cat is missing (Debian package srecord)" >&2; exit 1; }
json=$(mktemp)
trap 'rm -f "$json"' EXIT
"$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
         --benchmark_format=json >"$json"
python3 - "$json" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
median = {r["run_name"].split("/")[0]: r["real_time"] for r in runs if r.get("aggregate_name") == "median"}
patch, srec = median["BM_Patch"], median["BM_SrecCat"]
cp, copy = median["BM_CopyCommand"], median["BM_Copy"]
print("in process, median of 5:")
print(f"patch (one pass)                       {patch:8.2f} ms")
print(f"srec_cat (one pass)                    {srec:8.2f} ms")
print(f"cp (program, like srec_cat)            {cp:8.2f} ms")
print(f"copy in-process to a fresh file        {copy:8.2f} ms")
print(f"patch / srec_cat = {patch / srec:.3f}")
print(f"patch / cp       = {patch / cp:.2f}")
print(f"patch / copy     = {patch / copy:.2f}   (in-process floor)")
PY
cli=$(find "$build" -name fenwarp-cli -type f -perm -u+x | head -n 1)
if [ -z "$cli" ]; then
  echo "fenwarp-cli not found under $build; build it with: cmake --build $build --target fenwarp-cli" >&2
  exit 1
fi
python3 "$(dirname "$0")/firmware_process.py" "$cli"
