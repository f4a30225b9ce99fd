#!/bin/sh
# The installed launcher's way of starting the program: `--folder DIR` from another working
# folder. The program must take DIR (past its first start, so the main window comes first),
# paint its window and end; a wrong folder would wait at the first-start language window.
# Usage: start_check.sh PROGRAM SETTING-FOLDER
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
mkdir "$work/folder" "$work/elsewhere"
cp -r "$2" "$work/folder/"
awk '{ print } /^\[Setting\]/ { print "Language=2" }' "$2/Config_5100.ini" \
    > "$work/folder/Setting/Config_5100.ini"
cd "$work/elsewhere"
out=$(QT_QPA_PLATFORM=offscreen timeout 30 "$1" --folder "$work/folder" --exit-when-shown) || {
    echo "start_check: the program did not show its window and end (status $?): $out" >&2
    exit 1
}
echo "$out"
