#!/bin/bash
# Requests per second of a generated application with many people at once:
# generates tests/e2e/concurrency/concurrency.tzx, serves it with a private
# MariaDB and PHP's built-in server running several workers, and lets
# clients post inserts and updates in parallel, with and without uploads
# (load.js). A benchmark to run by hand, not a test.
#
#   run.sh [--generator BIN] [--workers N] [--clients N] [--seconds S]
#
# --generator is the headless generation program (default: the one in
# build/bin), so that the text of another build can be measured the same way.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
generator="$top/build/bin/tessaron-generate"
workers=8
clients=16
seconds=10
while [ $# -gt 0 ]; do
  case "$1" in
    --generator) generator=$2; shift 2 ;;
    --workers) workers=$2; shift 2 ;;
    --clients) clients=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done

. "$top/scripts/servers.sh"
servers_check_tools
servers_init
app="$servers_work/app"
mkdir -p "$app"
"$generator" "$top/tests/e2e/concurrency/concurrency.tzx" "$app" >"$servers_work/generate.log" 2>&1 ||
  { cat "$servers_work/generate.log" >&2; exit 1; }
chmod -R a+rwX "$app"

servers_start_db bench bench-Pa55
PHP_CLI_SERVER_WORKERS=$workers servers_start_php "$app" "$servers_work/php-server.log"
base="http://127.0.0.1:$php_port"
curl -sf -X POST "$base/setup.php" --data-urlencode "dbServer=127.0.0.1:$db_port" \
  -d dbUsername=bench -d dbPassword=bench-Pa55 -d dbDatabase=bench >/dev/null

echo "$generator: $workers PHP workers, $clients clients, $seconds s per kind"
node "$here/load.js" "$base" "$clients" "$seconds"
