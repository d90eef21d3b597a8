#!/bin/sh
# Configures and builds Tessaron into build/ (or $TESSARON_BUILD_DIR).
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSARON_BUILD_DIR:-$here/build}
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build"
