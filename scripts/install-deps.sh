#!/bin/sh
# Installs every Debian package the build, the program and the tests need.
# Safe to run again: apt-get skips what is already there.
set -e
PKGS="build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools libgl-dev libpugixml-dev \
php-cli php-mysql mariadb-server mariadb-client chromium xauth clang libclang-rt-14-dev"
missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends $missing
fi
