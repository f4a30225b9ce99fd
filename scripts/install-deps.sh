#!/bin/sh
# Installs the Debian packages the build and the tests need, skipping those already present.
set -e
packages="cmake make g++ pkg-config libgtest-dev libgmock-dev nlohmann-json3-dev libcli11-dev"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends $missing
fi
