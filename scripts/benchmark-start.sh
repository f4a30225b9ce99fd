#!/bin/sh
# Times how long the desktop window takes to appear, against a bare Qt 6 QMainWindow of the same
# size. Both run in turn under one Xvfb, each timed from just before it is started to its first
# paint (--exit-when-shown prints the clock then and ends at once). Prints the median of each and
# the median of the paired ratios.
# Usage: scripts/benchmark-start.sh [RUNS [BUILD]]   (a release build, in build-bench/ unless BUILD)
set -e
runs=${1:-21}
root=$(cd "$(dirname "$0")/.." && pwd)
build="${2:-$root/build-bench}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DRVM46_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target rvm46-programmer >/dev/null
bare="$build/bare-window"
if [ ! -x "$bare" ] || [ "$root/scripts/bare-window.cpp" -nt "$bare" ]; then
    # shellcheck disable=SC2046
    g++ -O2 -std=c++20 -fPIC -I"$root/src" "$root/scripts/bare-window.cpp" \
        "$root/src/app/paint_probe.cpp" $(pkg-config --cflags --libs Qt6Widgets) -o "$bare"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
mkdir -m 700 "$work/runtime"
# A program folder past its first start (English), so that the main window comes first.
cp -r "$build/program/Setting" "$work/"
awk '{ print } /^\[Setting\]/ { print "Language=2" }' "$build/program/Setting/Config_5100.ini" \
    > "$work/Setting/Config_5100.ini"

cat > "$work/pairs.sh" <<'INNER'
# $1 program, $2 bare window, $3 program folder, $4 runs. One line per pair: program bare (us).
run() {  # command...: "microseconds-to-first-paint WxH"
    start=$(date +%s%N)
    set -- $("$@")
    echo "$(( ($2 - start) / 1000 )) $3"
}
run "$1" --folder "$3" --exit-when-shown >/dev/null  # warm the caches once
i=0
while [ $i -lt "$4" ]; do
    set -- "$1" "$2" "$3" "$4" $(run "$1" --folder "$3" --exit-when-shown)
    size=$6
    bare=$(run "$2" "${size%x*}" "${size#*x}")
    echo "$5 ${bare%% *}"
    i=$((i + 1))
done
INNER
XDG_RUNTIME_DIR="$work/runtime" xvfb-run -a -s "-screen 0 1366x768x24" sh "$work/pairs.sh" "$build/program/rvm46-programmer" \
    "$bare" "$work" "$runs" > "$work/pairs"
awk '
    { program[NR] = $1 / 1000; bare[NR] = $2 / 1000; ratio[NR] = $1 / $2 }
    function median(a, n,   i, j, t) {
        for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    END {
        printf "runs: %d pairs\n", NR
        printf "program: median %.1f ms\n", median(program, NR)
        printf "bare QMainWindow: median %.1f ms\n", median(bare, NR)
        printf "ratio (median of pairs): %.2f\n", median(ratio, NR)
    }' "$work/pairs"
