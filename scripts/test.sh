#!/bin/sh
# Installs what is missing, builds, and runs every test, the end-to-end
# suite on PHP, MariaDB and Chromium included, then the fuzz targets.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
build=${TESSARON_BUILD_DIR:-$here/build}
ctest --test-dir "$build" --output-on-failure
"$here/fuzz/run.sh"
