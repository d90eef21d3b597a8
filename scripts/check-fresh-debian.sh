#!/bin/bash
# Tries the README's two commands as a new user would: in a fresh root of a
# Debian release, made with debootstrap, on the committed HEAD of this
# repository, as root with a clean environment. Prints each command's exit
# status and wall time, the tests' summary and any compiler warning of the
# build, then removes the root (--keep leaves it, with its mounts undone).
# Takes about twenty minutes a release; no part of scripts/test.sh or CI.
#
#   scripts/check-fresh-debian.sh bookworm|trixie [--keep]
#
# The root gets what a fresh install of the release has: its apt sources
# (the release, its updates and its security updates, in the form its
# installer writes) and the CA certificates. From this machine it takes the
# mirror, name resolution, locally added CA certificates and npm's registry,
# CA file and proxy settings, so that apt and npm reach their registries
# from inside. Services that packages would start at installation are not
# started: the tests start their own servers.
set -euo pipefail

usage() { echo "usage: $0 bookworm|trixie [--keep]" >&2; exit 2; }
release=""
keep=0
for a in "$@"; do
  case "$a" in
    bookworm|trixie) [ -z "$release" ] || usage; release=$a ;;
    --keep) keep=1 ;;
    *) usage ;;
  esac
done
[ -n "$release" ] || usage
[ "$(id -u)" = 0 ] || { echo "$0: must run as root (debootstrap, chroot, mounts)" >&2; exit 1; }

top=$(cd "$(dirname "$0")/.." && pwd)
head=$(git -C "$top" rev-parse HEAD)
git -C "$top" diff --quiet HEAD -- || echo "note: uncommitted changes are not part of the check (it clones $head)"

if ! command -v debootstrap >/dev/null; then
  echo "installing debootstrap on this machine"
  DEBIAN_FRONTEND=noninteractive apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

# This machine's mirrors of the archive and of the security archive, from
# its apt sources in either form; Debian's own addresses otherwise.
host_uris() {
  local kind=$1 f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i !~ /^\[/ && $i !~ /=/) { print $i; break } }' "$f"
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && awk 'tolower($1) == "uris:" { for (i = 2; i <= NF; i++) print $i }' "$f"
  done
} 2>/dev/null
mirror=$(host_uris | grep -E '/debian/?$' | head -1 || true)
security=$(host_uris | grep -E '/debian-security/?$' | head -1 || true)
mirror=${mirror:-http://deb.debian.org/debian}
mirror=${mirror%/}
security=${security:-http://security.debian.org/debian-security}
security=${security%/}

logs=$(mktemp -d "/var/tmp/tessaron-fresh-$release-logs.XXXXXX")
root=$(mktemp -d "/var/tmp/tessaron-fresh-$release.XXXXXX")
chmod 755 "$root"

# The long steps run in the background: a signal to this script is then
# handled at once, not after them.
#   in_background LOG COMMAND...
step_pid=""
in_background() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 </dev/null &
  step_pid=$!
  local rc=0
  wait "$step_pid" || rc=$?
  step_pid=""
  return $rc
}

# The step that runs ends, and whatever still runs inside the root; then
# every mount under it goes, deepest first; the root is removed only once
# nothing is mounted there.
cleanup() {
  local rc=$? pid pass m
  trap - EXIT INT TERM HUP
  set +e
  if [ -n "$step_pid" ]; then
    kill -TERM "$step_pid" 2>/dev/null
    wait "$step_pid" 2>/dev/null
  fi
  for pass in TERM KILL; do
    for pid in /proc/[0-9]*; do
      [ "$pid/root" -ef "$root" ] && kill -s "$pass" "${pid#/proc/}" 2>/dev/null
    done
    [ "$pass" = KILL ] || sleep 3
  done
  for pass in 1 2 3; do
    for m in $(findmnt -rn -o TARGET | grep -F "$root/" | sort -r); do
      umount "$m" 2>/dev/null || { sleep 1; umount -l "$m" 2>/dev/null; }
    done
  done
  if findmnt -rn -o TARGET | grep -qF "$root/"; then
    echo "still mounted under $root, not removed:" >&2
    findmnt -rn -o TARGET | grep -F "$root/" >&2
    [ $rc -ne 0 ] || rc=1
  elif [ $keep = 1 ]; then
    echo "root kept: $root"
  else
    rm -rf --one-file-system "$root"
  fi
  echo "logs: $logs"
  exit $rc
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

step() { printf '\n== %s\n' "$*"; }

step "debootstrap --variant=minbase $release ($mirror) into $root"
if ! in_background "$logs/debootstrap.log" debootstrap --variant=minbase --include=ca-certificates "$release" "$root" "$mirror"; then
  tail -20 "$logs/debootstrap.log" >&2
  exit 1
fi

# apt sources as the release's installer writes them.
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
[ -e "$root/usr/share/keyrings/debian-archive-keyring.pgp" ] && keyring=/usr/share/keyrings/debian-archive-keyring.pgp
rm -f "$root/etc/apt/sources.list"
if [ "$release" = bookworm ]; then
  cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror/ $release main non-free-firmware
deb $security $release-security main non-free-firmware
deb $mirror/ $release-updates main non-free-firmware
EOF
else
  cat >"$root/etc/apt/sources.list.d/debian.sources" <<EOF
Types: deb
URIs: $mirror/
Suites: $release $release-updates
Components: main non-free-firmware
Signed-By: $keyring

Types: deb
URIs: $security/
Suites: $release-security
Components: main non-free-firmware
Signed-By: $keyring
EOF
fi

# Name resolution, the machine's own loopback names.
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
printf '127.0.0.1\tlocalhost\n::1\t\tlocalhost ip6-localhost ip6-loopback\n' >"$root/etc/hosts"

# CA certificates this machine adds locally.
if compgen -G '/usr/local/share/ca-certificates/*' >/dev/null; then
  cp -a /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
  chroot "$root" update-ca-certificates >"$logs/ca.log" 2>&1
fi

# npm's settings that reach the registry, where this machine has them; they
# go into the global npmrc of Debian's npm.
if command -v npm >/dev/null; then
  : >"$root/etc/npmrc"
  for key in registry cafile proxy https-proxy noproxy strict-ssl; do
    value=$(cd / && npm config get "$key" 2>/dev/null || true)
    case "$key=$value" in
      *=|*=null|*=undefined|registry=https://registry.npmjs.org/|strict-ssl=true) ;;
      *) echo "$key=$value" >>"$root/etc/npmrc" ;;
    esac
  done
  [ -s "$root/etc/npmrc" ] || rm -f "$root/etc/npmrc"
fi

# Packages install without starting their services.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"

mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"

step "clone of $head"
git clone -q --no-checkout "$top" "$root/root/tessaron"
git -C "$root/root/tessaron" checkout -q --detach "$head"

# A root login's environment, nothing of this one.
inside() {
  chroot "$root" /usr/bin/env -i HOME=/root USER=root LOGNAME=root SHELL=/bin/bash TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -c "cd /root/tessaron && $1"
}

results=()
status=0
for cmd in scripts/run.sh scripts/test.sh; do
  log="$logs/$(basename "$cmd" .sh).log"
  step "$cmd (log: $log)"
  start=$(date +%s)
  rc=0
  in_background "$log" inside "$cmd" || rc=$?
  secs=$(( $(date +%s) - start ))
  [ $rc -eq 0 ] || { status=1; tail -40 "$log"; }
  results+=("$(printf '%-16s exit %-3s %dm %02ds' "$cmd" "$rc" $((secs / 60)) $((secs % 60)))")
done

step "fresh Debian $release ($(cat "$root/etc/debian_version")), commit $head"
printf '%s\n' "${results[@]}"
echo "tests:"
grep -E '^[0-9]+% tests passed' "$logs/test.log" || echo "  no ctest summary"
sed -n '/^The following tests FAILED:/,/^Errors while running/p' "$logs/test.log"
echo "compiler warnings:"
warnings=$(grep -hE 'warning:' "$logs/run.log" "$logs/test.log" | sort -u || true)
printf '%s\n' "${warnings:-  none}"
echo "versions:"
inside 'for c in "g++ --version" "clang++ --version" "php --version" "mariadbd --version" "node --version" "npm --version" "chromium --version"; do printf "  %s\n" "$($c 2>&1 | head -1)"; done; printf "  Qt %s\n" "$(dpkg-query -W -f="\${Version}" qt6-base-dev 2>/dev/null)"; printf "  playwright-core %s\n" "$(node -p "require(\"./tests/e2e/node_modules/playwright-core/package.json\").version" 2>/dev/null)"' || true
cp "$root/root/tessaron/build/Testing/Temporary/LastTest.log" "$logs/" 2>/dev/null || true
exit $status
