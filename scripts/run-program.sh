#!/bin/sh
# Starts the program from its program folder. The desktop window is not built yet; until it is,
# this shows the command-line companion at work on a codeplug made from the delivered files.
set -e
folder="$1"
"$folder/rvm46" --help
echo
echo "Example: an empty codeplug with model 0, decoded back:"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cat > "$tmp/example.json" <<'JSON'
{"model": 0, "beep_tone": 0, "battery_save": 1, "squelch": 6, "monitor_key": 3,
 "time_out_timer": 2, "wide_narrow": 1,
 "channels": [{"rx": 446.00625, "tx": 446.00625, "decode_tone": 0, "encode_tone": 12,
               "busy_lockout": 0, "shift": 1},
              null, null, null, null, null, null, null, null, null, null, null, null, null,
              null, null]}
JSON
"$folder/rvm46" encode "$tmp/example.json" "$tmp/example.Dat"
"$folder/rvm46" decode "$tmp/example.Dat"
