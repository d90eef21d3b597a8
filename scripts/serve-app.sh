#!/bin/bash
# Serves a generated application for trying it: a private MariaDB and PHP's
# built-in server on free loopback ports, the same start-up as the
# end-to-end suite. Prints the address and what to enter in setup.php; stops
# both on Ctrl+C or when the terminal closes. The database starts empty
# every time and is gone afterwards.
#
#   serve-app.sh FOLDER
set -euo pipefail

[ $# -eq 1 ] && [ -d "$1" ] || { echo "usage: $0 FOLDER (a generated application)" >&2; exit 2; }
folder=$(cd "$1" && pwd)
[ -f "$folder/setup.php" ] || { echo "$folder holds no setup.php: generate an application into it first" >&2; exit 2; }

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=servers.sh
. "$here/servers.sh"
servers_check_tools

db_user=tessaron
db_password=tessaron

servers_init
servers_start_db "$db_user" "$db_password"
# Every PHP message shows in the page and on this terminal.
servers_start_php "$folder" - -d display_errors=On -d error_reporting=E_ALL

cat <<TEXT
Serving $folder
  open         http://127.0.0.1:$php_port/setup.php
  then enter   MySQL server (host): 127.0.0.1:$db_port
               MySQL user name:     $db_user
               MySQL password:      $db_password
               Database name:       any (set-up creates it)
Ctrl+C stops PHP and MariaDB.
TEXT
if [ -e "$folder/config.php" ] || [ -e "$folder/setup.md5" ]; then
  echo "Note: config.php or setup.md5 from an earlier set-up is in the folder; this database is new and empty."
  echo "      Delete both files to run setup.php against it."
fi
wait "$php_pid"
