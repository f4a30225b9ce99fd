#!/bin/sh
# Times a full read and a full write of `rvm46` against the simulated radio with --pace (every
# byte takes its 9600 baud time, as on a real line) and prints each against the wire floor: all
# bytes of the transfer in both directions x 10 bits / 9600 baud.
#   read:  2323 bytes = 2.420 s        write: 1619 bytes = 1.686 s
# Two figures per run: the line time (first byte of the handshake to the last byte of the
# transfer, from the simulator's trace) and the command's whole run (process start to exit);
# then the part of the line time the program took to send its next frame after each reply (the
# rest is the paced bytes themselves and the simulator's own timing). A loaded machine shows in it.
# Usage: scripts/benchmark-transfers.sh [RUNS]   (builds a release build in build-bench/)
# RVM46_BENCH_PREFIX is put before the rvm46 command, e.g. "chrt -f 5" to keep the other
# processes of a busy machine from delaying it.
set -e
runs=${1:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DRVM46_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target rvm46 rvm46-radiosim >/dev/null
bin="$build/program"
work=$(mktemp -d)
sim=""
trap '[ -n "$sim" ] && kill "$sim" 2>/dev/null; rm -rf "$work"' EXIT INT TERM

# A codeplug to write: two channels and the radio-wide settings of model 1.
cat > "$work/in.json" <<'JSON'
{"model": 1, "beep_tone": 0, "battery_save": 1, "squelch": 5, "monitor_key": 3,
 "time_out_timer": 2, "wide_narrow": 1, "channels": [
 {"rx": 462.5, "tx": 467.5, "decode_tone": 3, "encode_tone": 12, "busy_lockout": 1, "shift": 0},
 {"rx": 450.0125, "tx": null, "decode_tone": 0, "encode_tone": null, "busy_lockout": 0, "shift": 1},
 null, null, null, null, null, null, null, null, null, null, null, null, null, null]}
JSON
"$bin/rvm46" encode "$work/in.json" "$work/in.Dat"

now() { date +%s.%N; }

# run VERB FLOOR BYTES-OF-LAST-FRAME -- ARGS
run() {
    verb=$1 floor=$2
    shift 2
    "$bin/rvm46-radiosim" --pace --link "$work/radio" --trace "$work/trace" >"$work/sim.out" &
    sim=$!
    while [ ! -e "$work/radio" ]; do sleep 0.05; done
    start=$(now)
    ${RVM46_BENCH_PREFIX:-} "$bin/rvm46" "$verb" --port "$work/radio" "$@"
    end=$(now)
    kill "$sim"
    wait "$sim" 2>/dev/null || true
    sim=""
    # Line time: the first frame's arrival to the later of the last reply and the last frame's
    # last byte on the line (a frame is traced as it arrives, each byte then takes 1.0417 ms).
    awk -v floor="$floor" -v start="$start" -v end="$end" -v verb="$verb" '
        NR == 1 { first = $1 }
        $2 == ">" { last_in = $1 + (NF - 2) * 0.0010417; if (replied) { turn += $1 - replied } }
        $2 == ">" { replied = 0 }
        $2 == "<" { last_out = $1; replied = $1 }
        END {
            line = (last_in > last_out ? last_in : last_out) - first
            whole = end - start
            printf "%-5s line %.3f s  ratio %.3f   whole command %.3f s  ratio %.3f" \
                   "   (program answering: %.0f ms)\n",
                   verb, line, line / floor, whole, whole / floor, turn * 1000
        }' "$work/trace"
}

echo "wire floor: read 2.420 s, write 1.686 s"
i=0
while [ "$i" -lt "$runs" ]; do
    run read 2.4198 "$work/out.Dat"
    run write 1.6865 "$work/in.Dat"
    i=$((i + 1))
done
