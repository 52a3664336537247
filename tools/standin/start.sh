#!/usr/bin/env bash
# Starts the stand-in service in the background unless one already answers on the port, waits
# until it listens and prints its pid.
# usage: start.sh [--port N] [--record-dir DIR] [--log FILE]
# The log (one line per request) defaults to ${TMPDIR:-/tmp}/kelo-standin-PORT.log.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
py=/usr/bin/python3
[ -x "$py" ] || py=python3
port=47161 record_dir="" log=""
while [ $# -gt 0 ]; do
  case "$1" in
    --port) port=$2; shift 2 ;;
    --record-dir) record_dir=$(realpath -m "$2"); shift 2 ;;
    --log) log=$2; shift 2 ;;
    *) echo "usage: $0 [--port N] [--record-dir DIR] [--log FILE]" >&2; exit 2 ;;
  esac
done

if found=$("$py" "$here/standin.py" --ping --port "$port"); then
  pid=$(sed -n 1p <<<"$found")
  # One left running by an earlier script records elsewhere: point it at our directory.
  if [ "$(sed -n 2p <<<"$found")" != "$record_dir" ]; then
    "$py" "$here/standin.py" --record-to "$record_dir" --port "$port"
  fi
  echo "$pid"
  exit 0
fi

ready=$(mktemp -d "${TMPDIR:-/tmp}/standin-start.XXXXXX")
trap 'rm -rf "$ready"' EXIT
[ -n "$log" ] || log="${TMPDIR:-/tmp}/kelo-standin-$port.log"
args=(--port "$port" --ready-file "$ready/ready")
[ -z "$record_dir" ] || args+=(--record-dir "$record_dir")
# setsid: the service outlives this script and is not hit by signals sent to its caller's group.
setsid "$py" "$here/standin.py" "${args[@]}" </dev/null >>"$log" 2>&1 &
pid=$!
for _ in $(seq 200); do
  if [ -s "$ready/ready" ]; then
    cut -d' ' -f1 "$ready/ready"
    exit 0
  fi
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "start.sh: the stand-in did not start:" >&2
    cat "$log" >&2
    exit 1
  fi
  sleep 0.05
done
echo "start.sh: the stand-in did not get ready within 10 s" >&2
kill "$pid" 2>/dev/null || true
exit 1
