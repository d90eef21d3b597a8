#!/bin/bash
# Runs the end-to-end suite: builds the generator program, generates the
# example project's PHP application, starts a private MariaDB and the PHP
# built-in server on free loopback ports, runs the browser scenarios with
# node's test runner and stops both servers again, whatever happened.
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

work_log=$(mktemp /tmp/tessaron-e2e-build.XXXXXX)
trap 'rm -f "$work_log"' EXIT
for tool in php mariadbd mariadb-install-db mariadb-admin mariadb node npm /usr/bin/chromium; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

# The generator program is built on demand (see CMakeLists.txt).
if [ -z "$given_app" ]; then
  if ! cmake --build "$build" --target e2e_generate_app >"$work_log" 2>&1; then
    tail -30 "$work_log" >&2
    echo "e2e: the generator program does not build" >&2
    exit 1
  fi
fi

if [ ! -d "$here/node_modules/playwright-core" ]; then
  (cd "$here" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi

work=$(mktemp -d /tmp/tessaron-e2e.XXXXXX)
chmod 755 "$work"
db_pid=""
php_pid=""

stop_servers() {
  local rc=$?
  if [ -n "$php_pid" ] && kill -0 "$php_pid" 2>/dev/null; then
    kill "$php_pid" 2>/dev/null || true
    wait "$php_pid" 2>/dev/null || true
  fi
  if [ -n "$db_pid" ] && kill -0 "$db_pid" 2>/dev/null; then
    mariadb-admin --no-defaults --socket="$work/run/mysqld.sock" -uroot shutdown 2>/dev/null || kill "$db_pid" 2>/dev/null || true
    for _ in $(seq 1 100); do kill -0 "$db_pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$db_pid" 2>/dev/null || true
  fi
  mkdir -p "$out"
  cp "$work"/php-errors.log "$work"/php-server.log "$work"/run/mysqld.err "$out"/ 2>/dev/null || true
  rm -rf "$work" "$work_log"
  exit $rc
}
trap stop_servers EXIT
trap 'exit 130' INT TERM

free_port() {
  node -e 'const s=require("net").createServer();s.listen(0,"127.0.0.1",()=>{console.log(s.address().port);s.close();});'
}

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
  if ! "$build/bin/e2e_generate_app" "$project" "$app" >"$out/generate.log" 2>&1; then
    cat "$out/generate.log" >&2
    echo "e2e: generation reported errors" >&2
    exit 1
  fi
fi
# The web server writes config.php, setup.md5 and uploads into the folder.
chmod -R a+rwX "$app"

# --- MariaDB --------------------------------------------------------------
db_port=$(free_port)
# The server runs as mysql: its data, socket, pid file and log live in
# folders that user owns.
# As root the server runs as mysql; as anyone else, as that user.
mkdir -p "$work/db" "$work/run"
if [ "$(id -u)" = 0 ]; then
  db_os_user=mysql
  chown mysql:mysql "$work/db" "$work/run"
else
  db_os_user=$(id -un)
fi
# root gets no password and is reached by the socket only (the server
# listens on loopback, the application uses its own user).
mariadb-install-db --no-defaults --user="$db_os_user" --datadir="$work/db" --skip-test-db \
  --auth-root-authentication-method=normal >"$work/install-db.log" 2>&1 || {
  cat "$work/install-db.log" >&2; exit 1; }
mariadbd --no-defaults --user="$db_os_user" --datadir="$work/db" --socket="$work/run/mysqld.sock" \
  --pid-file="$work/run/mysqld.pid" --port="$db_port" --bind-address=127.0.0.1 \
  --log-error="$work/run/mysqld.err" --skip-log-bin --innodb-buffer-pool-size=64M \
  --innodb-log-file-size=16M --innodb-flush-log-at-trx-commit=0 &
db_pid=$!
for _ in $(seq 1 200); do
  mariadb-admin --no-defaults --socket="$work/run/mysqld.sock" -uroot ping >/dev/null 2>&1 && break
  kill -0 "$db_pid" 2>/dev/null || { cat "$work/run/mysqld.err" >&2; exit 1; }
  sleep 0.05
done
db_user=tessaron_e2e
db_pass='e2e-Pa55word'
db_name=shop_e2e
mariadb --no-defaults --socket="$work/run/mysqld.sock" -uroot <<SQL
DELETE FROM mysql.global_priv WHERE User='';
CREATE USER '$db_user'@'localhost' IDENTIFIED BY '$db_pass';
CREATE USER '$db_user'@'127.0.0.1' IDENTIFIED BY '$db_pass';
GRANT ALL PRIVILEGES ON *.* TO '$db_user'@'localhost';
GRANT ALL PRIVILEGES ON *.* TO '$db_user'@'127.0.0.1';
FLUSH PRIVILEGES;
SQL
echo "e2e: MariaDB on 127.0.0.1:$db_port, sql_mode $(mariadb --no-defaults --socket="$work/run/mysqld.sock" -uroot -N -e 'select @@global.sql_mode')"

# --- PHP ------------------------------------------------------------------
php_port=$(free_port)
: >"$work/php-errors.log"
chmod 666 "$work/php-errors.log"
php -S "127.0.0.1:$php_port" -t "$app" \
  -d auto_prepend_file="$here/php_compat.php" \
  -d display_errors=Off -d log_errors=On -d html_errors=Off \
  -d error_log="$work/php-errors.log" \
  >"$work/php-server.log" 2>&1 &
php_pid=$!
for _ in $(seq 1 200); do
  node -e 'require("net").connect(+process.argv[1],"127.0.0.1").on("connect",()=>process.exit(0)).on("error",()=>process.exit(1))' "$php_port" && break
  kill -0 "$php_pid" 2>/dev/null || { cat "$work/php-server.log" >&2; exit 1; }
  sleep 0.05
done
echo "e2e: PHP on 127.0.0.1:$php_port serving $app"

# --- the scenarios --------------------------------------------------------
export E2E_BASE_URL="http://127.0.0.1:$php_port"
export E2E_APP_DIR="$app"
export E2E_OUT="$out"
export E2E_WORK="$work"
export E2E_PHP_LOG="$work/php-errors.log"
export E2E_DB_HOST=127.0.0.1 E2E_DB_PORT="$db_port" E2E_DB_USER="$db_user" E2E_DB_PASS="$db_pass" E2E_DB_NAME="$db_name"
export E2E_DB_SOCKET="$work/run/mysqld.sock"
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
if [ ${#tests[@]} -eq 0 ]; then
  tests=("$here"/scenarios/*.test.js)
fi
cd "$here"
set +e
# The whole run is bounded well inside ctest's limit, so that this script
# always gets to stop the servers itself.
timeout --signal=TERM --kill-after=20 600 \
  node --test --test-concurrency=1 --test-timeout=120000 "${tests[@]}"
rc=$?
set -e
if [ -s "$work/php-errors.log" ]; then
  echo "e2e: PHP error log (also in $out/php-errors.log):"
  sort "$work/php-errors.log" | sed -E 's/^\[[^]]*\] //' | sort | uniq -c | sort -rn | head -40
fi
exit $rc
