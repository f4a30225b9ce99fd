#!/bin/sh
# Times the programming station (`rvm46 program`) against the simulated radios with --pace (every
# byte takes its 9600 baud time, as on a real line):
#   cycle   one radio: backup read + write + verify read, against its wire floor
#           2.420 + 1.686 + 2.420 = 6.526 s (line time from the simulator's trace, and the
#           command's whole run)
#   notice  a radio attached while the station waits: from the attach to the first poll it answers
#   job     ten radios swapped at once (the simulator's --auto-swap), the command's whole run
#           against ten cycle floors
# Usage: scripts/benchmark-station.sh   (builds a release build in build-bench-station/)
# RVM46_BENCH_PREFIX is put before the rvm46 command, e.g. "chrt -f 5" on a busy machine.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench-station"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DRVM46_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target rvm46 rvm46-radiosim >/dev/null
bin="$build/program"
work=$(mktemp -d)
sim=""
trap '[ -n "$sim" ] && kill "$sim" 2>/dev/null; rm -rf "$work"' EXIT INT TERM

# A codeplug of model 4100 (model code 65): two channels inside its band.
cat > "$work/in.json" <<'JSON'
{"model": 0, "beep_tone": 0, "battery_save": 1, "squelch": 5, "monitor_key": 3,
 "time_out_timer": 2, "wide_narrow": 1, "channels": [
 {"rx": 462.5, "tx": 467.5, "decode_tone": 3, "encode_tone": 12, "busy_lockout": 1, "shift": 0},
 {"rx": 450.0125, "tx": null, "decode_tone": 0, "encode_tone": null, "busy_lockout": 0, "shift": 1},
 null, null, null, null, null, null, null, null, null, null, null, null, null, null]}
JSON
"$bin/rvm46" encode "$work/in.json" "$work/in.Dat"
floor=6.526

now() { date +%s.%N; }

start_sim() {
    rm -f "$work/radio" "$work/trace"
    "$bin/rvm46-radiosim" --pace --link "$work/radio" --trace "$work/trace" "$@" >"$work/sim.out" &
    sim=$!
    while [ ! -e "$work/radio" ]; do sleep 0.01; done
    sim_start=$(now)
}

stop_sim() {
    kill "$sim"
    wait "$sim" 2>/dev/null || true
    sim=""
}

program() {
    rm -rf "$work/job"
    ${RVM46_BENCH_PREFIX:-} "$bin/rvm46" program --port "$work/radio" --job-dir "$work/job" "$@" \
        "$work/in.Dat"
}

# One cycle.
start_sim --radio blank@65
begin=$(now)
program --no-wait
end=$(now)
stop_sim
awk -v floor="$floor" -v whole="$(echo "$end $begin" | awk '{ print $1 - $2 }')" '
    NR == 1 { first = $1 }
    { last = $1 + ($2 == ">" ? (NF - 2) * 0.0010417 : 0) }
    END { printf "cycle   line %.3f s  ratio %.3f   whole command %.3f s  ratio %.3f\n",
                 last - first, (last - first) / floor, whole, whole / floor }' "$work/trace"

# A radio attached 2 s after the station began to wait.
start_sim --control "$work/control"
program --count 1 >/dev/null &
station=$!
sleep 2
attached=$(now)
echo attach blank@65 >"$work/control"
wait "$station"
stop_sim
awk -v at="$(echo "$attached $sim_start" | awk '{ print $1 - $2 }')" '
    NR == 1 { printf "notice  %.3f s after the radio was attached\n", $1 - at; exit }' "$work/trace"

# Ten radios.
radios=""
for i in 1 2 3 4 5 6 7 8 9 10; do radios="$radios --radio blank@65"; done
start_sim $radios --auto-swap
begin=$(now)
program --count 10
end=$(now)
stop_sim
echo "$end $begin $floor" | awk '{ w = $1 - $2; printf "job     10 radios %.3f s  ratio %.3f to 10 cycle floors (%.2f s)\n", w, w / (10 * $3), 10 * $3 }'
