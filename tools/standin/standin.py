#!/usr/bin/python3
"""Stand-in for the pick-code information service, on 127.0.0.1, for the tests and ./run.

GET /?ct=upload_api&ac=get_pick_code_info&version=1160&pickcode=<code> answers, for any code,
the service's reply: a JSON text with the file name in \\u escapes, escaped slashes and three
download addresses (Unicom, Telecom, backup host) whose paths hold the code's raw bytes.

Reserved pick codes (exact bytes; every other code gets the good reply):
  expired            {"state":false,...}: the service's answer for an unknown or expired code
  name-failure-marker  good reply whose file name holds "false" (falsetto.mp3)
  html               a maintenance page in HTML (no addresses, no JSON)
  empty              200 with an empty body
  no-reply           the connection is closed without a byte
  cut                Content-Length of the whole reply, but only the bytes up to and including the
                     "},{" after the second address are sent; then the connection is closed
  no-length          good reply without Content-Length, ended by closing the connection
  status-NNN         status NNN (400-599) with the good reply as body
  redirect-to-CODE   302 to the same request for CODE
  trickle[-MS]       good reply, 16 bytes at a time, spread over MS ms (default 2000)
  delay-MS           good reply after MS ms of silence
  huge[-MIB]         a good reply padded to MIB MiB (default 64), streamed
  binary             a PNG-like body: 0 bytes early, "false" after them
  nul-tail           good reply, a 0 byte, then {"state":false}
  two-unicom         addresses on two Unicom hosts, then the backup host
  swapped            addresses in the order Telecom, backup, Unicom
  no-marker          addresses on hosts that carry no line's marker
  name-ascii         file name abc.zip
  name-slash         file name a\\/b.zip
  name-twice         "FileName" twice in one object (a.zip, then b.zip)
  name-two-places    "FileName" a.zip in the data, b.zip in a later object
  no-name            no "FileName" at all

Every request (request line, headers, any body) is stored as received in --record-dir as 0001.req,
0002.req, ...; numbering follows the files present, so emptying the directory starts it again.
Control targets under /_standin/ (ping, clear, record-to?DIR) are answered but never recorded.
"""

import argparse
import os
import signal
import socket
import socketserver
import sys
import threading
import time

# Keep the source tree free of __pycache__ folders.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import control  # noqa: E402
import replies  # noqa: E402
from recorder import Recorder  # noqa: E402
from request import Request, read_request  # noqa: E402

DEFAULT_PORT = 47161
READ_TIMEOUT = 15.0


def plain(status: int, text: str) -> replies.Answer:
    return replies.Answer(status=status, body=text.encode("utf-8") + b"\n",
                          content_type=b"text/plain; charset=utf-8")


def printable(data: bytes) -> str:
    return data.decode("ascii", "backslashreplace")


class StandIn(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True
    request_queue_size = 64

    def __init__(self, port: int, recorder: Recorder, quiet: bool):
        super().__init__(("127.0.0.1", port), Handler)
        self.recorder = recorder
        self.quiet = quiet
        self.origin = b"http://127.0.0.1:%d" % self.server_address[1]
        self._log_lock = threading.Lock()

    def log(self, message: str) -> None:
        if not self.quiet:
            with self._log_lock:
                print("standin: " + message, file=sys.stderr, flush=True)


class Handler(socketserver.BaseRequestHandler):
    server: StandIn

    def handle(self) -> None:
        sock: socket.socket = self.request
        sock.settimeout(READ_TIMEOUT)
        try:
            request = read_request(sock)
            if not request.raw:
                return  # a connection that sent nothing is no request
            if request.error is None and request.target.startswith(control.CONTROL_PREFIX):
                self.send(sock, self.control(request))
                return
            try:
                name = self.server.recorder.record(request.raw)
            except OSError as error:
                name = "not recorded (%s)" % error
            answer = self.route(request)
            self.server.log("%s %s %s -> %s" % (
                name or "-", printable(request.method), printable(request.target),
                request.error or answer.status))
            self.send(sock, answer)
        except OSError:
            pass  # the client went away; nothing to tell it
        finally:
            self.finish_connection(sock)

    def route(self, request: Request) -> replies.Answer:
        if request.error is not None:
            return plain(400, "bad request: " + request.error)
        if request.method != b"GET":
            answer = plain(405, "only GET is served")
            answer.headers.append((b"Allow", b"GET"))
            return answer
        if not request.target.startswith(replies.API_PREFIX):
            return plain(404, "unknown request target")
        code = request.target[len(replies.API_PREFIX):]
        return replies.answer_for(code, self.server.origin)

    def control(self, request: Request) -> replies.Answer:
        command, _, query = request.target[len(control.CONTROL_PREFIX):].partition(b"?")
        recorder = self.server.recorder
        if command == b"ping":
            text = control.PING_MAGIC + b"%d\n" % os.getpid() + os.fsencode(recorder.directory or "") + b"\n"
            return replies.Answer(body=text, content_type=b"text/plain; charset=utf-8")
        if command == b"clear":
            return plain(200, "removed %d" % recorder.clear())
        if command == b"record-to":
            try:
                recorder.set_directory(control.parse_record_to(query) or None)
            except OSError as error:
                return plain(500, "cannot record there: %s" % error)
            return plain(200, "recording to %s" % (recorder.directory or "nowhere"))
        return plain(404, "unknown control command")

    @staticmethod
    def send(sock: socket.socket, answer: replies.Answer) -> None:
        if answer.delay:
            time.sleep(answer.delay)
        if answer.no_reply:
            return
        head = [b"HTTP/1.0 %d %s" % (answer.status, answer.reason()),
                b"Server: kelo-standin",
                b"Content-Type: " + answer.content_type]
        if answer.send_length:
            head.append(b"Content-Length: %d" % answer.length())
        head += [name + b": " + value for name, value in answer.headers]
        head.append(b"Connection: close")
        sock.sendall(b"\r\n".join(head) + b"\r\n\r\n")
        if answer.stream is not None:
            for piece in answer.stream():
                sock.sendall(piece)
            return
        body = answer.body if answer.cut_at is None else answer.body[:answer.cut_at]
        if not answer.chunk:
            sock.sendall(body)
            return
        for start in range(0, len(body), answer.chunk):
            time.sleep(answer.chunk_delay)
            sock.sendall(body[start:start + answer.chunk])

    @staticmethod
    def finish_connection(sock: socket.socket) -> None:
        # Close our side first and drain what the client still sends: closing with unread bytes
        # makes the kernel reset the connection, and the client could lose the reply.
        try:
            sock.shutdown(socket.SHUT_WR)
            sock.settimeout(1.0)
            while sock.recv(65536):
                pass
        except OSError:
            pass


def write_ready_file(path: str, port: int) -> None:
    with open(path + ".part", "w") as out:
        out.write("%d %d\n" % (os.getpid(), port))
    os.replace(path + ".part", path)


def remove_ready_file(path: str) -> None:
    try:
        with open(path) as ready:
            ours = ready.read().split()[:1] == [str(os.getpid())]
        if ours:
            os.remove(path)
    except OSError:
        pass


def serve(args: argparse.Namespace) -> int:
    try:
        server = StandIn(args.port, Recorder(args.record_dir), args.quiet)
    except OSError as error:
        print("standin: cannot listen on 127.0.0.1:%d: %s" % (args.port, error.strerror),
              file=sys.stderr)
        return 2

    def stop(signum, frame):
        raise SystemExit(0)

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    port = server.server_address[1]
    try:
        if args.ready_file:
            write_ready_file(args.ready_file, port)
        server.log("listening on 127.0.0.1:%d, recording to %s"
                   % (port, server.recorder.directory or "nowhere"))
        server.serve_forever()
    except SystemExit:
        pass
    finally:
        server.server_close()
        if args.ready_file:
            remove_ready_file(args.ready_file)
    return 0


def main() -> int:
    parser = argparse.ArgumentParser(description="Stand-in for the pick-code information service.")
    parser.add_argument("--port", type=int, default=DEFAULT_PORT,
                        help="port on 127.0.0.1 (default %(default)s; 0 picks a free one)")
    parser.add_argument("--record-dir", help="store each request here as 0001.req, 0002.req, ...")
    parser.add_argument("--ready-file", help="written with 'PID PORT' once the server listens")
    parser.add_argument("--quiet", action="store_true", help="no line per request on stderr")
    actions = parser.add_mutually_exclusive_group()
    actions.add_argument("--print-reply", metavar="CODE",
                         help="write the good reply body for CODE to stdout and exit")
    actions.add_argument("--ping", action="store_true",
                         help="print the PID and record dir of the stand-in on --port; "
                              "exit 1 when none answers")
    actions.add_argument("--clear", action="store_true",
                         help="tell the stand-in on --port to empty its record dir")
    actions.add_argument("--record-to", metavar="DIR",
                         help="tell the stand-in on --port to record into DIR from now on")
    args = parser.parse_args()

    if args.print_reply is not None:
        sys.stdout.buffer.write(replies.good_body(os.fsencode(args.print_reply)))
        return 0
    if args.ping:
        found = control.ping(args.port)
        if found is None:
            return 1
        print("%d\n%s" % found)
        return 0
    if args.clear:
        return 0 if control.clear(args.port) else 1
    if args.record_to is not None:
        directory = os.path.abspath(args.record_to) if args.record_to else ""
        return 0 if control.record_to(args.port, directory) else 1
    return serve(args)


if __name__ == "__main__":
    sys.exit(main())
