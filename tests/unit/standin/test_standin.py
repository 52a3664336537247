#!/usr/bin/python3
"""Checks the stand-in service over real sockets: its replies, its faults, its records, its scripts."""

import json
import os
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.request

HERE = os.path.dirname(os.path.abspath(__file__))
TOOL = os.path.join(HERE, "..", "..", "..", "tools", "standin")
# Keep the source tree free of __pycache__ folders.
sys.dont_write_bytecode = True
sys.path.insert(0, HERE)
sys.path.insert(0, TOOL)

import client_model as model  # noqa: E402
import replies  # noqa: E402

PREFIX = b"/?ct=upload_api&ac=get_pick_code_info&version=1160&pickcode="
AGENT = b"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"

FIXTURE = os.path.join(HERE, "..", "..", "fixtures", "reply_typical.json")
GOOD_ABC123 = (
    b'{"state":true,"error":"","errno":0,"data":{"PickCode":"abc123",'
    b'"FileName":"\\u4e2d\\u6587.zip","FileSize":"1024",'
    b'"Sha1":"3c7d1f0e9a2b4c5d6e7f8091a2b3c4d5e6f70819","DownloadUrl":['
    b'{"Url":"http:\\/\\/cu-dl.kelopan.com.example\\/files\\/abc123\\/a.zip?t=1700000000&s=9f8e"},'
    b'{"Url":"http:\\/\\/ct-dl.kelopan.example\\/files\\/abc123\\/a.zip?t=1700000000&s=9f8e"},'
    b'{"Url":"http:\\/\\/bak-dl.kelopan.example\\/files\\/abc123\\/a.zip?t=1700000000&s=9f8e",'
    b'"UrlKey":"k"}]}}')
NAME = "中文.zip"
# Everything the tests write goes under one folder, removed when the run ends.
SCRATCH = tempfile.TemporaryDirectory(prefix="standin-test-")


def url(host: bytes, code: bytes) -> bytes:
    return b"http://" + host + b"/files/" + code + b"/a.zip?t=1700000000&s=9f8e"


def start_server(*extra):
    """Starts a stand-in on a free port; gives (process, port, ready file)."""
    scratch = tempfile.mkdtemp(dir=SCRATCH.name)
    ready = os.path.join(scratch, "ready")
    process = subprocess.Popen([sys.executable, os.path.join(TOOL, "standin.py"), "--port", "0",
                                "--ready-file", ready, "--quiet", *extra])
    for _ in range(400):
        if os.path.exists(ready):
            with open(ready) as f:
                pid, port = f.read().split()
            assert int(pid) == process.pid
            return process, int(port), ready
        if process.poll() is not None:
            raise RuntimeError("the stand-in did not start")
        time.sleep(0.025)
    process.kill()
    raise RuntimeError("the stand-in did not get ready")


def running(pid: int) -> bool:
    """Whether the process still runs; a zombie waiting for init to reap it does not."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(") ", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def exchange(port: int, data: bytes) -> bytes:
    with socket.create_connection(("127.0.0.1", port), timeout=30) as sock:
        sock.sendall(data)
        received = bytearray()
        while chunk := sock.recv(1 << 20):
            received += chunk
    return bytes(received)


def split_reply(reply: bytes):
    head, _, body = reply.partition(b"\r\n\r\n")
    lines = head.split(b"\r\n")
    headers = {}
    for line in lines[1:]:
        name, _, value = line.partition(b": ")
        headers[name.lower()] = value
    return int(lines[0].split(b" ")[1]), headers, body


def get(port: int, code: bytes):
    return split_reply(exchange(port, b"GET " + PREFIX + code + b" HTTP/1.0\r\nAccept: */*\r\n\r\n"))


class StandInTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.records = tempfile.mkdtemp(dir=SCRATCH.name)
        cls.process, cls.port, _ = start_server("--record-dir", cls.records)

    @classmethod
    def tearDownClass(cls):
        cls.process.terminate()
        cls.process.wait(timeout=10)

    def setUp(self):
        for name in os.listdir(self.records):
            os.remove(os.path.join(self.records, name))

    def recorded(self):
        return sorted(os.listdir(self.records))

    def test_good_reply_for_abc123_is_exact(self):
        status, headers, body = get(self.port, b"abc123")
        self.assertEqual(status, 200)
        self.assertEqual(body, GOOD_ABC123)
        self.assertEqual(headers[b"content-length"], str(len(body)).encode())
        # The unit tests' fixture and the stand-in must show the same service.
        if os.path.exists(FIXTURE):
            with open(FIXTURE, "rb") as f:
                self.assertEqual(body, f.read())

    def test_good_reply_cuts_cleanly_for_any_code(self):
        for code in (b"abc123", b"", "中文".encode("gbk"), b"a b", b"x%2Fy#z", b"Q" * 1500):
            with self.subTest(code=code[:20]):
                status, _, body = get(self.port, code)
                self.assertEqual(status, 200)
                self.assertNotIn(b"false", body)
                self.assertEqual(model.analyze(body), {
                    2: url(b"cu-dl.kelopan.com.example", code),
                    3: url(b"ct-dl.kelopan.example", code),
                    4: url(b"bak-dl.kelopan.example", code)})
                self.assertEqual(model.file_name(body), NAME)

    def test_reserved_layouts(self):
        cu, cu2, ct, bak = (replies.UNICOM_HOST, replies.UNICOM_HOST_2, replies.TELECOM_HOST,
                            replies.BACKUP_HOST)
        empty = {2: b"", 3: b"", 4: b""}
        expired = {2: model.EXPIRED, 3: model.EXPIRED, 4: model.EXPIRED}

        def normal(code):
            return {2: url(cu, code), 3: url(ct, code), 4: url(bak, code)}

        # code: (address boxes written, file-name box or None when the lookup never runs)
        cases = {
            b"expired": (expired, None),
            b"name-failure-marker": (expired, None),
            b"html": (empty, ""),
            b"empty": (empty, ""),
            b"binary": (empty, ""),
            b"nul-tail": (normal(b"nul-tail"), NAME),
            b"two-unicom": ({2: url(cu2, b"two-unicom"), 4: url(bak, b"two-unicom")}, NAME),
            b"swapped": (normal(b"swapped"), NAME),
            b"no-marker": ({p + 2: url(h, b"no-marker") for p, h in enumerate(replies.UNMARKED_HOSTS)},
                           NAME),
            b"name-ascii": (normal(b"name-ascii"), "abc.zip"),
            b"name-slash": (normal(b"name-slash"), "a\\/b.zip"),
            b"name-twice": (normal(b"name-twice"), "b.zip"),
            b"name-two-places": (normal(b"name-two-places"), 'a.zip", "b.zip'),
            b"no-name": (normal(b"no-name"), ""),
        }
        for code, (boxes, name) in cases.items():
            with self.subTest(code=code):
                status, _, body = get(self.port, code)
                self.assertEqual(status, 200)
                self.assertEqual(model.analyze(body), boxes)
                if name is not None:
                    self.assertEqual(model.file_name(body), name)
        # The file name alone must be what says "expired".
        body = get(self.port, b"name-failure-marker")[2]
        self.assertEqual(body.count(b"false"), 1)
        self.assertIn(b'"FileName":"falsetto.mp3"', body)
        # The 0 byte must be what hides "false": a client reading past it would say "expired".
        for code in (b"binary", b"nul-tail"):
            body = get(self.port, code)[2]
            self.assertIn(b"false", body[body.index(b"\x00"):])

    def test_request_is_recorded_byte_for_byte(self):
        sent = (b"GET " + PREFIX + b"\xd6\xd0\xce\xc4%41 HTTP/1.0\r\nUser-Agent: " + AGENT
                + b"\r\nAccept: */*\r\nX-Odd: \xff\x01\r\n\r\n")
        status, _, body = split_reply(exchange(self.port, sent))
        self.assertEqual(status, 200)
        self.assertIn(b"\\/files\\/\xd6\xd0\xce\xc4%41\\/", body)
        self.assertEqual(self.recorded(), ["0001.req"])
        with open(os.path.join(self.records, "0001.req"), "rb") as f:
            self.assertEqual(f.read(), sent)

    def test_numbering_restarts_after_clearing(self):
        for _ in range(2):
            get(self.port, b"one")
        self.assertEqual(self.recorded(), ["0001.req", "0002.req"])
        # Control requests are answered but leave no record.
        ping = subprocess.run([sys.executable, os.path.join(TOOL, "standin.py"), "--ping",
                               "--port", str(self.port)], capture_output=True, text=True)
        self.assertEqual(ping.stdout.split("\n")[:2], [str(self.process.pid), self.records])
        subprocess.run([sys.executable, os.path.join(TOOL, "standin.py"), "--clear",
                        "--port", str(self.port)], check=True)
        self.assertEqual(self.recorded(), [])
        get(self.port, b"two")
        get(self.port, b"three")
        os.remove(os.path.join(self.records, "0002.req"))
        get(self.port, b"four")
        self.assertEqual(self.recorded(), ["0001.req", "0002.req"])
        with open(os.path.join(self.records, "0002.req"), "rb") as f:
            self.assertIn(b"pickcode=four ", f.read())

    def test_a_sent_body_is_recorded_too(self):
        sent = b"GET " + PREFIX + b"b HTTP/1.0\r\nContent-Length: 5\r\n\r\nhello"
        self.assertEqual(split_reply(exchange(self.port, sent))[0], 200)
        with open(os.path.join(self.records, "0001.req"), "rb") as f:
            self.assertEqual(f.read(), sent)

    def test_transport_faults(self):
        status, headers, body = get(self.port, b"cut")
        full = replies.good_body(b"cut")
        self.assertEqual(int(headers[b"content-length"]), len(full))
        self.assertLess(len(body), len(full))
        self.assertEqual(body, full[:len(body)])
        self.assertTrue(body.endswith(b"},{"))

        self.assertEqual(exchange(self.port, b"GET " + PREFIX + b"no-reply HTTP/1.0\r\n\r\n"), b"")

        status, headers, body = get(self.port, b"no-length")
        self.assertNotIn(b"content-length", headers)
        self.assertEqual(body, replies.good_body(b"no-length"))

        for code, expected in ((b"status-404", 404), (b"status-500", 500)):
            status, _, body = get(self.port, code)
            self.assertEqual((status, body), (expected, replies.good_body(code)))

        status, headers, _ = get(self.port, b"redirect-to-xyz")
        self.assertEqual(status, 302)
        self.assertEqual(headers[b"location"],
                         b"http://127.0.0.1:%d" % self.port + PREFIX + b"xyz")

        status, _, body = get(self.port, b"delay-50")
        self.assertEqual((status, body), (200, replies.good_body(b"delay-50")))

    def test_a_client_that_follows_the_redirect_gets_the_other_code(self):
        address = "http://127.0.0.1:%d%s" % (self.port, (PREFIX + b"redirect-to-xyz").decode())
        with urllib.request.urlopen(address, timeout=30) as reply:
            self.assertEqual(reply.read(), replies.good_body(b"xyz"))
        self.assertEqual(self.recorded(), ["0001.req", "0002.req"])

    def test_trickle_comes_in_pieces_and_does_not_hold_up_others(self):
        with socket.create_connection(("127.0.0.1", self.port), timeout=30) as slow:
            slow.sendall(b"GET " + PREFIX + b"trickle-3000 HTTP/1.0\r\n\r\n")
            first = slow.recv(65536)
            self.assertTrue(first.startswith(b"HTTP/1.0 200 OK"))
            # Another client is served in full while the trickle is still under way.
            self.assertEqual(get(self.port, b"quick")[2], replies.good_body(b"quick"))
            pieces, received = [first], bytearray(first)
            while chunk := slow.recv(65536):
                pieces.append(chunk)
                received += chunk
        self.assertGreater(len(pieces), 5)
        self.assertEqual(split_reply(bytes(received))[2], replies.good_body(b"trickle-3000"))

    def test_a_client_leaving_midway_does_not_hurt_the_server(self):
        for code in (b"trickle-2000", b"huge"):
            with socket.create_connection(("127.0.0.1", self.port), timeout=30) as sock:
                sock.sendall(b"GET " + PREFIX + code + b" HTTP/1.0\r\n\r\n")
                sock.recv(100)
        self.assertEqual(get(self.port, b"after")[0], 200)

    def test_huge_bodies_are_whole_good_replies(self):
        status, headers, body = get(self.port, b"huge-1")
        self.assertEqual((status, len(body)), (200, 1 << 20))
        self.assertEqual(int(headers[b"content-length"]), 1 << 20)
        json.loads(body)
        self.assertEqual(model.analyze(body)[4], url(replies.BACKUP_HOST, b"huge-1"))

        with socket.create_connection(("127.0.0.1", self.port), timeout=60) as sock:
            sock.sendall(b"GET " + PREFIX + b"huge HTTP/1.0\r\n\r\n")
            start = bytearray()
            while b"\r\n\r\n" not in start:
                start += sock.recv(65536)
            head, _, first = bytes(start).partition(b"\r\n\r\n")
            received, tail = len(first), first[-3:]
            while chunk := sock.recv(1 << 20):
                received += len(chunk)
                tail = (tail + chunk)[-3:]
        self.assertIn(b"Content-Length: %d" % (64 << 20), head)
        self.assertEqual(received, 64 << 20)
        self.assertEqual(tail, b'"}}')

    def test_malformed_requests_are_answered_and_recorded(self):
        cases = [
            (b"garbage\r\n\r\n", 400),
            (b"\x00\x01\x02\r\n\r\n", 400),
            (b"GET  HTTP/1.0\r\n\r\n", 400),
            (b"GET / HTTP/x\r\n\r\n", 400),
            (b"GET " + PREFIX + b"a HTTP/1.0\r\nno colon here\r\n\r\n", 400),
            (b"GET " + PREFIX + b"a HTTP/1.0\r\nContent-Length: -3\r\n\r\n", 400),
            (b"GET /x" + b"y" * 70000 + b" HTTP/1.0\r\n\r\n", 400),
            (b"POST " + PREFIX + b"a HTTP/1.0\r\n\r\n", 405),
            (b"GET /index.html HTTP/1.0\r\n\r\n", 404),
        ]
        for sent, expected in cases:
            with self.subTest(sent=sent[:40]):
                self.assertEqual(split_reply(exchange(self.port, sent))[0], expected)
        self.assertEqual(len(self.recorded()), len(cases))

        # A request cut short by its client is still recorded as far as it came.
        with socket.create_connection(("127.0.0.1", self.port), timeout=30) as sock:
            sock.sendall(b"GET " + PREFIX + b"half HTTP/1.0\r\nAcc")
            sock.shutdown(socket.SHUT_WR)
            sock.recv(65536)
        with open(os.path.join(self.records, "%04d.req" % (len(cases) + 1)), "rb") as f:
            self.assertEqual(f.read(), b"GET " + PREFIX + b"half HTTP/1.0\r\nAcc")
        self.assertEqual(get(self.port, b"still-fine")[0], 200)


class LifecycleTest(unittest.TestCase):
    def test_ready_file_and_sigterm(self):
        process, port, ready = start_server()
        with open(ready) as f:
            self.assertEqual(f.read(), "%d %d\n" % (process.pid, port))
        # The port is taken: a second server says so and gives up.
        second = subprocess.run([sys.executable, os.path.join(TOOL, "standin.py"),
                                 "--port", str(port)], capture_output=True, timeout=30)
        self.assertEqual(second.returncode, 2)
        process.send_signal(signal.SIGTERM)
        self.assertEqual(process.wait(timeout=10), 0)
        self.assertFalse(os.path.exists(ready))

    def test_start_and_stop_scripts(self):
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            port = str(probe.getsockname()[1])
        scratch = tempfile.mkdtemp(dir=SCRATCH.name)
        first_dir, second_dir = os.path.join(scratch, "a"), os.path.join(scratch, "b")
        log = os.path.join(scratch, "log")

        def start(record_dir):
            return subprocess.run([os.path.join(TOOL, "start.sh"), "--port", port, "--record-dir",
                                   record_dir, "--log", log], capture_output=True, text=True,
                                  timeout=60, check=True).stdout.strip()

        pid = start(first_dir)
        try:
            # Already running: the same server is kept, and now records where it is told.
            self.assertEqual(start(second_dir), pid)
            get(int(port), b"x")
            self.assertEqual(os.listdir(second_dir), ["0001.req"])
            self.assertEqual(os.listdir(first_dir), [])
        finally:
            subprocess.run([os.path.join(TOOL, "stop.sh"), "--port", port], check=True, timeout=60)
        self.assertFalse(running(int(pid)))
        # Nothing runs any more: stopping again is quiet and succeeds.
        subprocess.run([os.path.join(TOOL, "stop.sh"), "--port", port], check=True, timeout=60)


if __name__ == "__main__":
    unittest.main()
