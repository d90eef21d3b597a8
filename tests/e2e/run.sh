#!/bin/bash
# Runs the end-to-end suite: builds the headless generation program,
# generates the example project's PHP application as Generate does, starts
# a private MariaDB and the PHP built-in server on free loopback ports, runs
# the browser scenarios with node's test runner and stops both servers
# again, whatever happened.
#
#   run.sh [--build-dir DIR] [--out DIR] [--project FILE.tzx] [--app DIR]
#          [-- node test files...]
# --app serves a copy of an application generated beforehand instead of
# generating the project.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build="$top/build"
out=""
project="$top/examples/shop.tzx"
given_app=""
tests=()
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --project) project=$2; shift 2 ;;
    --app) given_app=$(cd "$2" && pwd); shift 2 ;;
    --) shift; for t in "$@"; do tests+=("$(realpath "$t")"); done; break ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done
build=$(cd "$build" && pwd)
[ -n "$out" ] || out="$build/tests/e2e/output"
mkdir -p "$out"
out=$(cd "$out" && pwd)
project=$(cd "$(dirname "$project")" && pwd)/$(basename "$project")

. "$top/scripts/servers.sh"
servers_check_tools
for tool in node npm /usr/bin/chromium; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

work_log=$(mktemp /tmp/tessaron-e2e-build.XXXXXX)
trap 'rm -f "$work_log"' EXIT

# The headless generation program is built on demand (see CMakeLists.txt).
if [ -z "$given_app" ]; then
  if ! cmake --build "$build" --target tessaron-generate >"$work_log" 2>&1; then
    tail -30 "$work_log" >&2
    echo "e2e: the headless generation program does not build" >&2
    exit 1
  fi
fi

# Installed again when package.json asks for another version than is there.
wanted=$(cd "$here" && node -p 'require("./package.json").devDependencies["playwright-core"]')
installed=$(cd "$here" && node -p 'require("./node_modules/playwright-core/package.json").version' 2>/dev/null || true)
if [ "$installed" != "$wanted" ]; then
  (cd "$here" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi

# The tests run in a process group of their own (node, each file's process,
# the browser): they end together, TERM first.
tests_pid=""
stop_tests() {
  local waited=0
  kill -TERM -- "-$tests_pid" 2>/dev/null || return 0
  while kill -0 -- "-$tests_pid" 2>/dev/null && [ $waited -lt 20 ]; do
    sleep 1
    waited=$((waited + 1))
  done
  kill -KILL -- "-$tests_pid" 2>/dev/null || true
}

# On any exit the tests end first; the logs stay in the output folder.
end_run() {
  if [ -n "$tests_pid" ]; then
    stop_tests
    wait "$tests_pid" 2>/dev/null || true
  fi
  mkdir -p "$out"
  cp "$servers_work"/php-errors.log "$servers_work"/php-server.log "$servers_work"/run/mysqld.err "$out"/ 2>/dev/null || true
  rm -f "$work_log"
}
servers_init end_run
work=$servers_work

# --- the application ------------------------------------------------------
app="$out/app"
rm -rf "$out"
mkdir -p "$out/screenshots"
mkdir -p "$app"
if [ -n "$given_app" ]; then
  echo "e2e: serving a copy of $given_app"
  cp -a "$given_app"/. "$app"/
  rm -f "$app/config.php" "$app/setup.md5"
else
  echo "e2e: generating $project into $app"
  if ! "$build/bin/tessaron-generate" "$project" "$app" >"$out/generate.log" 2>&1; then
    cat "$out/generate.log" >&2
    echo "e2e: generation reported errors" >&2
    exit 1
  fi
fi
# The web server writes config.php, setup.md5 and uploads into the folder.
chmod -R a+rwX "$app"

# --- the servers ----------------------------------------------------------
db_user=tessaron_e2e
db_pass='e2e-Pa55word'
db_name=shop_e2e
servers_start_db "$db_user" "$db_pass"
echo "e2e: MariaDB on 127.0.0.1:$db_port, sql_mode $(mariadb --no-defaults --socket="$db_socket" -uroot -N -e 'select @@global.sql_mode')"

# The application as generated, on PHP as it comes: nothing prepended, every
# message shown in the page and logged. The scenarios fail on any of them.
: >"$work/php-errors.log"
chmod 666 "$work/php-errors.log"
servers_start_php "$app" "$work/php-server.log" \
  -d display_errors=On -d error_reporting=E_ALL -d log_errors=On \
  -d error_log="$work/php-errors.log"
echo "e2e: PHP on 127.0.0.1:$php_port serving $app"

# --- the scenarios --------------------------------------------------------
export E2E_BASE_URL="http://127.0.0.1:$php_port"
export E2E_APP_DIR="$app"
export E2E_OUT="$out"
export E2E_WORK="$work"
export E2E_PHP_LOG="$work/php-errors.log"
export E2E_DB_HOST=127.0.0.1 E2E_DB_PORT="$db_port" E2E_DB_USER="$db_user" E2E_DB_PASS="$db_pass" E2E_DB_NAME="$db_name"
export E2E_DB_SOCKET="$db_socket"
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
if [ ${#tests[@]} -eq 0 ]; then
  tests=("$here"/scenarios/*.test.js)
fi
cd "$here"
# The files run one after the other: they share the servers and the
# database.
#
# A hang shows as a lack of progress, not as a total that a loaded machine
# may reach (node 18 has no --test-timeout, and node 20's bounds each file
# as a whole): the tests are stopped once none of them has started or ended
# for $stall_limit seconds (lib/harness.js marks both in $E2E_PROGRESS),
# while a test of the suites takes seconds and a whole file up to about 100.
# It is watched from here, where a test that blocks node itself is seen too.
# A last bound keeps the run inside ctest's limit of 900 s (CMakeLists.txt),
# so that this script always gets to stop the servers itself. The tests run
# in the background, in a process group of their own: a signal to this
# script is then handled at once, not after them.
stall_limit=180
run_limit=840
export E2E_PROGRESS="$work/progress"
: >"$E2E_PROGRESS"
setsid node --test --test-concurrency=1 "${tests[@]}" &
tests_pid=$!
seen=0
last=$SECONDS
stopped=""
while kill -0 "$tests_pid" 2>/dev/null; do
  sleep 1 &
  wait $! || true
  size=$(stat -c %s "$E2E_PROGRESS")
  if [ "$size" != "$seen" ]; then
    seen=$size
    last=$SECONDS
  elif [ $((SECONDS - last)) -ge $stall_limit ]; then
    stopped="no test started or ended for $stall_limit s"
  fi
  if [ -z "$stopped" ] && [ $SECONDS -ge $run_limit ]; then
    stopped="the run reached its limit of $run_limit s"
  fi
  if [ -n "$stopped" ]; then
    echo "e2e: $stopped: tests stopped; the last one $(tail -n 1 "$E2E_PROGRESS")" >&2
    stop_tests
    break
  fi
done
rc=0
wait "$tests_pid" || rc=$?
tests_pid=""
[ -z "$stopped" ] || [ $rc -ne 0 ] || rc=1
if [ -s "$work/php-errors.log" ]; then
  echo "e2e: PHP error log (also in $out/php-errors.log):"
  # awk reads to the end: a pipe cut short would end this script with
  # SIGPIPE's status under pipefail instead of the tests' one.
  sed -E 's/^\[[^]]*\] //' "$work/php-errors.log" | sort | uniq -c | sort -rn | awk 'NR <= 40'
fi
exit $rc
