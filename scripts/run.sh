#!/bin/sh
# Installs what is missing, builds, and does the program's main job:
# generates the PHP application of a project file (the example project by
# default) into a folder (build/example-app by default).
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
build=${TESSARON_BUILD_DIR:-$here/build}
project=${1:-$here/examples/shop.tzx}
out=${2:-$build/example-app}
mkdir -p "$out"
"$build/bin/e2e_generate_app" "$project" "$out"
echo "Generated application in $out"
echo "Try it with: scripts/serve-app.sh $out"
