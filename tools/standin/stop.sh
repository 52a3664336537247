#!/usr/bin/env bash
# Stops the stand-in service that answers on the port (default 47161); quiet when none runs.
# usage: stop.sh [--port N]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
py=/usr/bin/python3
[ -x "$py" ] || py=python3
port=47161
while [ $# -gt 0 ]; do
  case "$1" in
    --port) port=$2; shift 2 ;;
    *) echo "usage: $0 [--port N]" >&2; exit 2 ;;
  esac
done

# An orphan stays a zombie until init reaps it, which can take seconds: a zombie is gone enough.
running() {
  local state
  state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1) || return 1
  [ -n "$state" ] && [ "$state" != Z ]
}

found=$("$py" "$here/standin.py" --ping --port "$port") || exit 0
pid=$(sed -n 1p <<<"$found")
kill -TERM "$pid" 2>/dev/null || exit 0
for _ in $(seq 100); do
  running "$pid" || exit 0
  sleep 0.05
done
echo "stop.sh: the stand-in ($pid) ignored SIGTERM; killing it" >&2
kill -KILL "$pid" 2>/dev/null || true
