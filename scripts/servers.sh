# A private MariaDB and PHP's built-in server on free loopback ports, for a
# generated application. Sourced (bash) by tests/e2e/run.sh and
# scripts/serve-app.sh:
#
#   servers_check_tools            fails unless every server program is there
#   servers_init [COMMAND]         makes the working folder $servers_work and
#                                  arranges that any exit of the script
#                                  (Ctrl+C, TERM, a closed terminal too)
#                                  runs COMMAND (to end what uses the
#                                  servers and keep what it wants of
#                                  $servers_work), stops both servers,
#                                  removes the folder and keeps the status
#   servers_start_db USER PASSWORD starts MariaDB with that user (all rights,
#                                  from 127.0.0.1 and localhost); sets db_port
#                                  and db_socket
#   servers_start_php FOLDER LOG [PHP ARGUMENTS...]
#                                  serves FOLDER, PHP's output going to the
#                                  file LOG (- for this terminal); sets
#                                  php_port
#   servers_stop                   stops whatever of both runs, quietly (also
#                                  after the terminal is gone); removes
#                                  nothing
#
# Everything lives in $servers_work, under /tmp: the mysql user, which the
# database server runs as when started by root, cannot enter /root.

servers_work=""
servers_on_exit=""
db_pid=""
db_port=""
db_socket=""
php_pid=""
php_port=""

servers_check_tools() {
  local tool
  for tool in php mariadbd mariadb-install-db mariadb-admin mariadb; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh installs it)" >&2; return 1; }
  done
  php -r 'exit(function_exists("mysqli_connect") ? 0 : 1);' ||
    { echo "PHP has no mysqli (scripts/install-deps.sh installs php-mysql)" >&2; return 1; }
}

servers_init() {
  servers_on_exit=${1:-}
  trap servers_exit EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  trap 'exit 129' HUP
  servers_work=$(mktemp -d /tmp/tessaron-servers.XXXXXX)
  chmod 755 "$servers_work"
  mkdir -p "$servers_work/db" "$servers_work/run"
}

servers_exit() {
  local rc=$?
  trap - EXIT
  [ -z "$servers_on_exit" ] || eval "$servers_on_exit" || true
  servers_stop
  [ -z "$servers_work" ] || rm -rf "$servers_work"
  exit $rc
}

# A port that nothing listens on now.
servers_free_port() {
  php -n -r '$s = stream_socket_server("tcp://127.0.0.1:0"); $n = stream_socket_get_name($s, false);
    echo substr($n, strrpos($n, ":") + 1), "\n";'
}

servers_listening() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

servers_start_db() {
  local user=$1 password=$2 os_user
  db_port=$(servers_free_port)
  db_socket="$servers_work/run/mysqld.sock"
  # As root the server runs as mysql; as anyone else, as that user.
  if [ "$(id -u)" = 0 ]; then
    os_user=mysql
    chown mysql:mysql "$servers_work/db" "$servers_work/run"
  else
    os_user=$(id -un)
  fi
  # root gets no password and is reached by the socket only.
  mariadb-install-db --no-defaults --user="$os_user" --datadir="$servers_work/db" --skip-test-db \
    --auth-root-authentication-method=normal >"$servers_work/install-db.log" 2>&1 || {
    cat "$servers_work/install-db.log" >&2; return 1; }
  # In a session of its own: a closed terminal's hang-up would reach it
  # directly and leave it deaf to the shutdown below.
  setsid mariadbd --no-defaults --user="$os_user" --datadir="$servers_work/db" --socket="$db_socket" \
    --pid-file="$servers_work/run/mysqld.pid" --port="$db_port" --bind-address=127.0.0.1 \
    --log-error="$servers_work/run/mysqld.err" --skip-log-bin --innodb-buffer-pool-size=64M \
    --innodb-log-file-size=16M --innodb-flush-log-at-trx-commit=0 >>"$servers_work/run/mysqld.err" 2>&1 &
  db_pid=$!
  local i
  for i in $(seq 1 200); do
    mariadb-admin --no-defaults --socket="$db_socket" -uroot ping >/dev/null 2>&1 && break
    kill -0 "$db_pid" 2>/dev/null || { cat "$servers_work/run/mysqld.err" >&2; return 1; }
    sleep 0.05
  done
  mariadb --no-defaults --socket="$db_socket" -uroot <<SQL
DELETE FROM mysql.global_priv WHERE User='';
CREATE USER '$user'@'localhost' IDENTIFIED BY '$password';
CREATE USER '$user'@'127.0.0.1' IDENTIFIED BY '$password';
GRANT ALL PRIVILEGES ON *.* TO '$user'@'localhost';
GRANT ALL PRIVILEGES ON *.* TO '$user'@'127.0.0.1';
FLUSH PRIVILEGES;
SQL
}

servers_start_php() {
  local folder=$1 log=$2
  shift 2
  php_port=$(servers_free_port)
  # In a process group of its own, with the workers that it starts when
  # PHP_CLI_SERVER_WORKERS is set: they outlive a server ended alone.
  if [ "$log" = - ]; then
    setsid php -S "127.0.0.1:$php_port" -t "$folder" "$@" &
  else
    setsid php -S "127.0.0.1:$php_port" -t "$folder" "$@" >"$log" 2>&1 &
  fi
  php_pid=$!
  local i
  for i in $(seq 1 200); do
    servers_listening "$php_port" && return 0
    if ! kill -0 "$php_pid" 2>/dev/null; then
      [ "$log" = - ] || cat "$log" >&2
      return 1
    fi
    sleep 0.05
  done
  echo "PHP does not answer on 127.0.0.1:$php_port" >&2
  return 1
}

servers_stop() {
  if [ -n "$php_pid" ] && kill -0 "$php_pid" 2>/dev/null; then
    kill -- "-$php_pid" 2>/dev/null || kill "$php_pid" 2>/dev/null || true
    wait "$php_pid" 2>/dev/null || true
  fi
  php_pid=""
  if [ -n "$db_pid" ] && kill -0 "$db_pid" 2>/dev/null; then
    timeout 20 mariadb-admin --no-defaults --socket="$db_socket" -uroot shutdown >/dev/null 2>&1 ||
      kill "$db_pid" 2>/dev/null || true
    local i
    for i in $(seq 1 100); do kill -0 "$db_pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$db_pid" 2>/dev/null || true
    wait "$db_pid" 2>/dev/null || true
  fi
  db_pid=""
}
