#!/bin/sh
# Installs every Debian package the build, the program and the tests need,
# by names that Debian 12 and Debian 13 both have.
# Safe to run again: apt-get skips what is already there. A package that an
# installed one provides counts as there (a Node.js from elsewhere brings
# its own npm, which Debian's npm would conflict with).
set -e
PKGS="build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools libgl-dev libpugixml-dev \
php-cli php-mysql mariadb-server mariadb-client chromium xauth clang libclang-rt-dev nodejs npm"
have=$(dpkg-query -W -f='${db:Status-Abbrev}|${Package}|${Provides}\n' 2>/dev/null |
  awk -F'|' '$1 ~ /^ii/ {
    print $2
    n = split($3, p, ",")
    for (i = 1; i <= n; i++) { sub(/^ +/, "", p[i]); sub(/ .*/, "", p[i]); if (p[i] != "") print p[i] }
  }')
missing=""
for p in $PKGS; do
  printf '%s\n' "$have" | grep -qx -- "$p" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends $missing
fi
