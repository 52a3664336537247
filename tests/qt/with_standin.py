#!/usr/bin/env python3
"""Runs a test command with the stand-in service on its default port (the build's API host):
starts the service unless one already answers, points it at a fresh record directory whose path
the command gets in KELO_QT_RECORD_DIR, and afterwards stops it if it was started here, or
points it back where it recorded before."""

import argparse
import os
import shutil
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
STANDIN = ROOT / "tools" / "standin"
PORT = "47161"


def ping():
    """The record directory of the stand-in that answers on the port, or None when none runs."""
    done = subprocess.run([sys.executable, str(STANDIN / "standin.py"), "--ping", "--port", PORT],
                          capture_output=True, text=True, timeout=30)
    if done.returncode != 0:
        return None
    lines = done.stdout.splitlines()
    return lines[1] if len(lines) > 1 else ""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--record-dir", type=Path, required=True)
    parser.add_argument("--timeout", type=float, default=300)
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command

    shutil.rmtree(args.record_dir, ignore_errors=True)
    args.record_dir.mkdir(parents=True)
    earlier = ping()
    subprocess.run([str(STANDIN / "start.sh"), "--record-dir", str(args.record_dir)],
                   check=True, stdout=subprocess.DEVNULL, timeout=60)
    try:
        env = dict(os.environ, KELO_QT_RECORD_DIR=str(args.record_dir))
        try:
            return subprocess.run(command, env=env, timeout=args.timeout).returncode
        except OSError as error:
            print(f"with_standin.py: cannot run {command[0]}: {error}", file=sys.stderr)
            return 1
        except subprocess.TimeoutExpired:
            print(f"with_standin.py: {command[0]} did not end within {args.timeout} s",
                  file=sys.stderr)
            return 1
    finally:
        if earlier is None:
            subprocess.run([str(STANDIN / "stop.sh")], timeout=60)
        else:
            subprocess.run([sys.executable, str(STANDIN / "standin.py"), "--record-to", earlier,
                            "--port", PORT], timeout=30)


if __name__ == "__main__":
    sys.exit(main())
