#!/bin/sh
# Runs the SDO benchmark (load and save of an sdo.xml with 1500 rows per page,
# import of a 3000-record workbook) and prints each median next to the time
# cat takes to read or copy the same bytes, as a ratio; then the import of the
# same records as .xlsx next to their import as .xls (held to at most 3x). The
# cat times are the mean of 200 runs and include starting the cat process.
# Usage: bench/sdo_ratios.sh [BUILD_DIR]   (default: build)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
program="$build/bench/sdo_bench"
[ -x "$program" ] || program="$build/sdo_bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 tests/fixtures/make_workbooks.py "$work" --bench 3000
FENWARP_BENCH_DIR="$work" FENWARP_BENCH_WORKBOOK="$work/sdo_bench.xls" \
    "$program" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null >"$work/results.csv"

# Mean milliseconds of: cat FROM > TO
cat_ms() {
    runs=200
    start=$(date +%s%N)
    i=0
    while [ $i -lt $runs ]; do
        cat "$1" >"$2"
        i=$((i + 1))
    done
    end=$(date +%s%N)
    echo "$start $end $runs" | awk '{ printf "%.4f", ($2 - $1) / $3 / 1e6 }'
}

read_xml=$(cat_ms "$work/sdo.xml" /dev/null)
copy_xml=$(cat_ms "$work/sdo.xml" "$work/copy.xml")
read_xls=$(cat_ms "$work/sdo_bench.xls" /dev/null)
xml_bytes=$(wc -c <"$work/sdo.xml")
xls_bytes=$(wc -c <"$work/sdo_bench.xls")
xlsx_bytes=$(wc -c <"$work/sdo.xlsx")

awk -F, -v rx="$read_xml" -v cx="$copy_xml" -v rw="$read_xls" \
    -v xb="$xml_bytes" -v wb="$xls_bytes" -v xsb="$xlsx_bytes" '
    $1 == "\"BM_SdoLoad_median\""   { load = $3; unit = $5 }
    $1 == "\"BM_SdoSave_median\""   { save = $3 }
    $1 == "\"BM_SdoImport_median\"" { import = $3 }
    $1 == "\"BM_SdoImportXlsx_median\"" { xlsx = $3 }
    END {
        if (load == "" || save == "" || import == "" || xlsx == "") { print "sdo_bench gave no medians"; exit 1 }
        if (unit != "ms") { print "sdo_bench reported " unit ", not ms"; exit 1 }
        printf "load   sdo.xml (%d bytes)      %8.3f ms  vs cat > /dev/null %.3f ms: %.2fx\n", xb, load, rx, load / rx
        printf "save   sdo.xml (%d bytes)      %8.3f ms  vs cat > file      %.3f ms: %.2fx\n", xb, save, cx, save / cx
        printf "import sdo_bench.xls (%d bytes) %8.3f ms  vs cat > /dev/null %.3f ms: %.2fx\n", wb, import, rw, import / rw
        printf "import sdo.xlsx (%d bytes)       %8.3f ms  vs import sdo_bench.xls %.3f ms: %.2fx (at most 3x)\n", xsb, xlsx, import, xlsx / import
    }' "$work/results.csv"
