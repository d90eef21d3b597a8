#!/bin/sh
# Installs what is missing, builds, and starts Tessaron on a project file
# (the example project by default). Without a display it says so and does
# the program's main job instead: generates the project's PHP application
# into a folder (build/example-app by default).
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
build=${TESSARON_BUILD_DIR:-$here/build}
project=${1:-$here/examples/shop.tzx}

if [ -n "$DISPLAY" ] || [ -n "$WAYLAND_DISPLAY" ]; then
  exec "$build/bin/tessaron" "$project"
fi

out=${2:-$build/example-app}
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): generating the application of $project instead of starting Tessaron."
mkdir -p "$out"
"$build/bin/tessaron-generate" "$project" "$out"
echo "Generated application in $out"
echo "Try it with: scripts/serve-app.sh $out"
