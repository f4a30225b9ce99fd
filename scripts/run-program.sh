#!/bin/sh
# Starts the desktop program from its program folder. Without a display it says so and how to
# start it under a virtual X server (xvfb-run).
set -e
folder="$1"
exec "$folder/rvm46-programmer"
