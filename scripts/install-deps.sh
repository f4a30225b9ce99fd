#!/bin/sh
# Installs the Debian packages the build and the tests need, skipping those already present.
# Runs as an ordinary user (only the installation itself goes through sudo) or as root.
set -e
# The desktop program: Qt 6 Widgets with its platform plugins (X11 among them) and Qt's own
# translations (the buttons of message boxes and file dialogs), a virtual X server for its
# screenshot test, and fonts with every Chinese glyph and metric-compatible Latin faces.
# Qt's serial port library for the line to the radio (desktop program and command line).
# libfontconfig-dev: the desktop program reads the font configuration early, beside Qt's start.
# dpkg-dev finds the package dependencies of the Debian package (cpack), and cpack asks `file`
# which files are programs (a minimal Debian has no `file`).
# appstream and desktop-file-utils check the AppStream description and the desktop entry.
# The help: a viewer for its compiled help files that the desktop's "open" reaches (xchm
# registers itself for .chm), and libchm-bin for the test that the compiled help files hold the
# current pages.
# poppler-utils for the tests that read the channel sheet's PDF (its text, fonts and pages); Qt's
# print support comes with qt6-base-dev.
packages="cmake make g++ pkg-config libgtest-dev libgmock-dev nlohmann-json3-dev libcli11-dev
          qt6-base-dev qt6-qpa-plugins qt6-translations-l10n qt6-serialport-dev libfontconfig-dev
          xvfb xauth imagemagick
          fonts-wqy-zenhei fonts-liberation2 dpkg-dev file xchm xdg-utils shared-mime-info libchm-bin
          poppler-utils appstream desktop-file-utils"
# With --fuzz, also clang and its libFuzzer and sanitizer runtimes, for the fuzz targets (fuzz/).
if [ "$1" = "--fuzz" ]; then
    packages="$packages clang libclang-rt-14-dev"
fi
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -n "$missing" ] || exit 0

echo "Installing:$missing"
as_root=""
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
        echo "install-deps: these packages are missing and sudo is not available:$missing" >&2
        echo "install-deps: install them as root (apt-get install$missing), then run make again." >&2
        exit 1
    fi
    as_root="sudo"
fi
$as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
