#!/bin/sh
# Installs the Debian packages the build and the tests need, skipping those already present.
set -e
# The desktop program: Qt 6 Widgets with its platform plugins (X11 among them), a virtual X server for its screenshot test, and fonts with
# every Chinese glyph and metric-compatible Latin faces.
packages="cmake make g++ pkg-config libgtest-dev libgmock-dev nlohmann-json3-dev libcli11-dev
          qt6-base-dev qt6-qpa-plugins xvfb xauth imagemagick fonts-wqy-zenhei fonts-liberation2"
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
