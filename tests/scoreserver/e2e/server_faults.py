#!/usr/bin/python3
"""Faults one client could cause in tavrin-scores, each against the running
server: answers piling up behind pipelined requests, idle connections filling
every slot, X-Forwarded-For lines of the client's own before the proxy's, one
page registered again with other comments, and the smaller ones (HEAD,
gzip;q=0, weak and listed entity tags, a POST body that never comes).

server_faults.py TAVRIN_SCORES"""
import os
import resource
import socket
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import support  # noqa: E402
from hostile_http import BODY, exchange, get_raw, header, post, status  # noqa: E402

BIG = 600_000


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def read_answers(sock, count, size, timeout=60.0):
    """Reads `count` answers of a body of `size` bytes; returns how many came."""
    sock.settimeout(timeout)
    data = bytearray()
    deadline = time.monotonic() + timeout
    while len(data) < count * size and time.monotonic() < deadline:
        chunk = sock.recv(1 << 20)
        if not chunk:
            break
        data += chunk
    return data.count(b"HTTP/1.1 200 OK")


def unread_answers(port, pid):
    """300 pipelined requests for a big file, none of the answers read: the
    server must stop reading instead of holding every answer, and still send
    them all once the client reads."""
    with socket.create_connection(("127.0.0.1", port)) as s:
        before = rss_mb(pid)
        s.sendall(b"GET /play/big.wasm HTTP/1.1\r\nHost: t\r\n\r\n" * 300)
        time.sleep(2)
        grown = rss_mb(pid) - before
        assert grown < 40, f"the server grew by {grown:.0f} MB for answers nobody read"
        got = read_answers(s, 300, BIG)
        assert got == 300, f"{got} of 300 answers arrived"


def idle_connections(port):
    """1000 idle connections from one address leave room for everyone else,
    and the server closes the ones it kept once they stay silent."""
    soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
    resource.setrlimit(resource.RLIMIT_NOFILE, (max(soft, min(hard, 4096)), hard))
    idle = []
    try:
        for _ in range(1000):
            idle.append(socket.create_connection(("127.0.0.1", port)))
        time.sleep(0.5)
        other = socket.socket()
        other.bind(("127.0.0.2", 0))
        other.settimeout(5)
        other.connect(("127.0.0.1", port))
        other.sendall(b"GET /ranking/3 HTTP/1.1\r\nHost: t\r\nConnection: close\r\n\r\n")
        reply = other.recv(65536)
        other.close()
        assert status(reply) == 200, f"another address was not served: {reply[:100]!r}"
        open_now = 0
        for s in idle:
            s.setblocking(False)
            try:
                open_now += 1 if s.recv(1) else 0
            except BlockingIOError:
                open_now += 1
            except OSError:
                pass
        assert open_now <= 32, f"{open_now} idle connections kept from one address"
        time.sleep(7)
        for s in idle[:40]:
            s.settimeout(1)
            try:
                assert s.recv(1) == b"", "an idle connection got data"
            except ConnectionResetError:
                pass
            except socket.timeout:
                raise AssertionError("an idle connection was still open after 7 s")
    finally:
        for s in idle:
            s.close()


def forwarded_lines(server, work):
    """Behind the trusted proxy the limit counts the address the proxy added,
    whatever X-Forwarded-For lines the client sent before it."""
    with support.score_server(server, os.path.join(work, "proxy.sqlite"),
                              ["--trusted-proxy", "127.0.0.1", "--registrations-per-minute", "2"]) as (base, _):
        port = int(base.rsplit(":", 1)[1])
        codes = []
        for i in range(3):
            extra = (b"X-Forwarded-For: 203.0.113." + str(i).encode() + b"\r\n"
                     b"X-Forwarded-For: 198.51.100.7\r\nConnection: close\r\n")
            codes.append(status(exchange(port, post(BODY, extra=extra))))
        assert codes == [200, 200, 429], codes
        other = b"X-Forwarded-For: 198.51.100.8\r\nConnection: close\r\n"
        assert status(exchange(port, post(BODY, extra=other))) == 200


def small_faults(port):
    close = b"Connection: close\r\n"
    # One page registered again with another comment is the same entry.
    first = exchange(port, post(BODY, extra=close))
    again = exchange(port, post(BODY.replace(b"%83e%83X%83g", b"other"), extra=close))
    assert status(first) == 200 and status(again) == 200, (first[:100], again[:100])
    assert "登録済み".encode() in again, again
    code, body = support.get(f"http://127.0.0.1:{port}/ranking/5.json")
    assert body.count('"name"') == 1, body

    # HEAD: the headers of GET, its length, no body.
    for path in (b"/ranking/5", b"/play/index.html"):
        full = get_raw(port, path)
        head = exchange(port, b"HEAD " + path + b" HTTP/1.1\r\nHost: t\r\n" + close + b"\r\n")
        assert status(head) == 200, head[:200]
        assert header(head, b"Content-Length") == str(len(full.split(b"\r\n\r\n", 1)[1])).encode(), head
        assert head.endswith(b"\r\n\r\n"), head

    # gzip only where the client takes it.
    for accept, gzip in ((b"gzip;q=0", False), (b"gzip; q=0.0, identity", False), (b"*;q=0.5", True),
                         (b"br, gzip;q=0.8", True), (b"*, gzip;q=0", False)):
        reply = get_raw(port, b"/play/music/a.ogg", b"Accept-Encoding: " + accept + b"\r\n")
        assert (header(reply, b"Content-Encoding") == b"gzip") == gzip, (accept, reply[:300])

    # If-None-Match: weak tags and lists match too.
    etag = header(get_raw(port, b"/play/index.html"), b"ETag")
    for value in (b"W/" + etag, b'"nothing", ' + etag, b"*"):
        reply = get_raw(port, b"/play/index.html", b"If-None-Match: " + value + b"\r\n")
        assert status(reply) == 304, (value, reply[:200])
    assert status(get_raw(port, b"/play/index.html", b'If-None-Match: "nothing"\r\n')) == 200

    # A POST whose body stops short is answered 408 when its time is up.
    request = post(BODY)
    reply = exchange(port, request[:-20], wait=15)
    assert status(reply) == 408, reply[:200]


def make_site(work):
    site = os.path.join(work, "site")
    os.makedirs(os.path.join(site, "music"))
    with open(os.path.join(site, "index.html"), "wb") as f:
        f.write(b"<!DOCTYPE html><title>game</title>")
    with open(os.path.join(site, "big.wasm"), "wb") as f:
        f.write(os.urandom(BIG))
    with open(os.path.join(site, "music", "a.ogg"), "wb") as f:
        f.write(b"plain")
    with open(os.path.join(site, "music", "a.ogg.gz"), "wb") as f:
        f.write(b"packed")
    return site


def main():
    server = sys.argv[1]
    with tempfile.TemporaryDirectory(prefix="tavrin-faults-", ignore_cleanup_errors=True) as work:
        site = make_site(work)
        with support.score_server(server, os.path.join(work, "scores.sqlite"), ["--site", site]) as (base, proc):
            port = int(base.rsplit(":", 1)[1])
            unread_answers(port, proc.pid)
            idle_connections(port)
            small_faults(port)
            assert proc.poll() is None
        forwarded_lines(server, work)
    print("server faults: 5 passed, 0 failed")


if __name__ == "__main__":
    main()
