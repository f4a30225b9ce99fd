#!/bin/sh
# Builds the fuzz targets (fuzz/, clang with libFuzzer, AddressSanitizer and UBSan) in build-fuzz/
# and runs each on its seed corpus in fuzz/corpus/TARGET plus what it finds (kept in
# build-fuzz/corpus/TARGET), for as long as asked:
#   scripts/fuzz.sh                     every target 20 seconds (what CI runs)
#   scripts/fuzz.sh --time 600 image    one target ten minutes
#   scripts/fuzz.sh --runs 1000000      every target a million executions
# A crash, a hang (10 s for one input) or a sanitizer report stops with the input saved in
# build-fuzz/ and a non-zero status.
set -e
cd "$(dirname "$0")/.."
limit="-max_total_time=20"
while [ $# -gt 0 ]; do
    case "$1" in
        --time) limit="-max_total_time=$2"; shift 2 ;;
        --runs) limit="-runs=$2"; shift 2 ;;
        *) break ;;
    esac
done
targets="$*"
[ -n "$targets" ] || targets="image profile codeplug_json script transfer channel_csv"

sh scripts/install-deps.sh --fuzz
cmake -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "${JOBS:-$(nproc)}"
for target in $targets; do
    mkdir -p "build-fuzz/corpus/$target"
    echo "== fuzz target $target ($limit)"
    (cd build-fuzz && "./${target}_fuzzer" "$limit" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "corpus/$target" "../fuzz/corpus/$target")
done
