#!/bin/sh
# Runs a test program as the ordinary user "nobody" (uid and gid 65534), for the tests that are
# skipped when they run as root (files a user may not write or read). Run as an ordinary user
# already, those tests ran with the rest: exit 77, which the test counts as skipped.
#
#     run-as-ordinary-user.sh PROGRAM [ARGS...]
set -e
[ "$(id -u)" = 0 ] || exit 77
program="$1"
shift
run() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
cd /tmp
# A build folder that nobody may enter (under /root, say): run a copy from a fresh folder.
if ! run test -x "$program"; then
    folder=$(mktemp -d)
    trap 'rm -rf "$folder"' EXIT
    chmod 755 "$folder"
    cp "$program" "$folder/"
    program="$folder/$(basename "$program")"
fi
run "$program" "$@"
