#!/usr/bin/python3
"""What clients may throw at tavrin-scores: oversized, garbage, cut-off and
pipelined requests, wrong methods and types, too many registrations. The
server must answer each with the right status and keep serving.

hostile_http.py TAVRIN_SCORES"""
import json
import os
import socket
import sys
import tempfile
import time
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import support  # noqa: E402

PATH = "/~kelm/cgi-bin/hello2.cgi"
# 山田, 32767 points on 2024/12/31 with five item kinds (code KZP).
BODY = b"name=%8ER%93c&score=32767&dates=2024%2F12%2F31&comment=%83e%83X%83g&gametype=5&passwd=KZP"


def exchange(port, data, wait=3.0):
    """Sends raw bytes, returns all the server answers until it closes or goes quiet."""
    with socket.create_connection(("127.0.0.1", port)) as s:
        s.settimeout(wait)
        try:
            s.sendall(data)
        except OSError:
            pass
        reply = b""
        try:
            while chunk := s.recv(65536):
                reply += chunk
        except (socket.timeout, ConnectionResetError):
            pass
    return reply


def post(body, content_type=b"application/x-www-form-urlencoded", extra=b""):
    return (b"POST " + PATH.encode() + b" HTTP/1.1\r\nHost: t\r\nContent-Type: " + content_type +
            b"\r\nContent-Length: " + str(len(body)).encode() + b"\r\n" + extra + b"\r\n" + body)


def status(reply):
    return int(reply.split(b" ", 2)[1]) if reply.startswith(b"HTTP/1.1 ") else None


def main():
    with tempfile.TemporaryDirectory(prefix="tavrin-hostile-", ignore_cleanup_errors=True) as work:
        run(sys.argv[1], work)
        serve_site(sys.argv[1], work)
    print("hostile requests: 2 passed, 0 failed")


def get_raw(port, path, extra=b""):
    return exchange(port, b"GET " + path + b" HTTP/1.1\r\nHost: t\r\nConnection: close\r\n" + extra + b"\r\n")


def header(reply, name):
    for line in reply.split(b"\r\n\r\n", 1)[0].split(b"\r\n")[1:]:
        key, _, value = line.partition(b":")
        if key.strip().lower() == name.lower():
            return value.strip()
    return None


def serve_site(server, work):
    """The game's site under /play/: its own files and nothing beside them."""
    site = os.path.join(work, "site")
    os.makedirs(os.path.join(site, "music"))
    with open(os.path.join(site, "index.html"), "wb") as f:
        f.write(b"<!DOCTYPE html><title>game</title>")
    with open(os.path.join(site, "tavrin.wasm"), "wb") as f:
        f.write(b"\0asm\1\0\0\0")
    with open(os.path.join(site, "music", "a.ogg.gz"), "wb") as f:
        f.write(b"packed")
    with open(os.path.join(site, "music", "a.ogg"), "wb") as f:
        f.write(b"plain")
    with open(os.path.join(work, "secret.txt"), "wb") as f:
        f.write(b"secret")
    with open(os.path.join(site, ".hidden"), "wb") as f:
        f.write(b"secret")
    os.symlink(os.path.join(work, "secret.txt"), os.path.join(site, "out.txt"))
    with support.score_server(server, os.path.join(work, "site.sqlite"), ["--site", site]) as (base, _):
        port = int(base.rsplit(":", 1)[1])
        reply = get_raw(port, b"/play")
        assert status(reply) == 301 and header(reply, b"Location") == b"/play/", reply[:200]
        reply = get_raw(port, b"/play/")
        assert status(reply) == 200 and reply.endswith(b"<title>game</title>"), reply
        assert b"wasm-unsafe-eval" in header(reply, b"Content-Security-Policy"), reply
        reply = get_raw(port, b"/play/tavrin.wasm")
        assert header(reply, b"Content-Type") == b"application/wasm", reply
        etag = header(reply, b"ETag")
        assert status(get_raw(port, b"/play/tavrin.wasm", b"If-None-Match: " + etag + b"\r\n")) == 304
        reply = get_raw(port, b"/play/music/a.ogg", b"Accept-Encoding: gzip, br\r\n")
        assert header(reply, b"Content-Encoding") == b"gzip" and reply.endswith(b"packed"), reply
        assert get_raw(port, b"/play/music/a.ogg").endswith(b"plain")
        for path in (b"/play/../secret.txt", b"/play/%2e%2e/secret.txt", b"/play/music/..%2f..%2fsecret.txt",
                     b"/play/.hidden", b"/play/out.txt", b"/play/music/", b"/play//index.html",
                     b"/play/music%5c..%5c..%5csecret.txt"):
            reply = get_raw(port, path)
            assert status(reply) == 404 and b"secret" not in reply, (path, reply[:300])
        assert status(exchange(port, post(BODY).replace(PATH.encode(), b"/play/index.html"))) == 405
        code, page = support.get(base + "/")
        assert code == 200 and 'href="/play/"' in page, page


def run(server, work):
    with support.score_server(server, os.path.join(work, "scores.sqlite")) as (base, proc):
        port = int(base.rsplit(":", 1)[1])
        close = b"Connection: close\r\n"
        checks = {
            "registration": (post(BODY, extra=close), 200),
            "same registration again": (post(BODY, extra=close), 200),
            "wrong code": (post(BODY.replace(b"KZP", b"KZQ"), extra=close), 403),
            "bad field": (post(BODY.replace(b"gametype=5", b"gametype=9"), extra=close), 400),
            "body over the limit": (post(b"x" * 5000, extra=close), 413),
            "request over the limit": (post(b"a=1", extra=b"X-Pad: " + b"p" * 20000 + b"\r\n"), 413),
            "not a form": (post(BODY, b"text/plain", close), 415),
            "GET on the script": (b"GET " + PATH.encode() + b" HTTP/1.1\r\nHost: t\r\n" + close + b"\r\n", 405),
            "unknown page": (b"GET /../../etc/passwd HTTP/1.1\r\nHost: t\r\n" + close + b"\r\n", 404),
        }
        for name, (request, expected) in checks.items():
            reply = exchange(port, request)
            assert status(reply) == expected, (name, reply[:200])
            assert b"charset=utf-8" in reply, name

        # Garbage and requests cut off midway get nothing stored and break nothing.
        for garbage in (b"\x00\xff" * 300, b"GET / HTTP/1.1\r\nHost: t\r\nContent-Length: -5\r\n\r\n",
                        b"POST " + PATH.encode() + b" HTTP/1.1\r\nContent-Length: 9999999999999999999\r\n\r\n"):
            exchange(port, garbage, wait=0.5)
        for _ in range(30):
            with socket.create_connection(("127.0.0.1", port)) as s:
                s.sendall(post(BODY)[:-20])

        # Pipelined requests are answered in order, also behind a registration.
        reply = exchange(port, post(BODY) + b"GET /ranking/5.json HTTP/1.1\r\nHost: t\r\n" + close + b"\r\n")
        assert reply.count(b"HTTP/1.1 200 OK") == 2 and reply.index(b"<!DOCTYPE") < reply.index(b'{"entries"'), reply

        # The per-address limit (10 a minute by default) answers 429 with Retry-After.
        replies = [exchange(port, post(BODY, extra=close)) for _ in range(8)]
        assert status(replies[-1]) == 429 and b"Retry-After: " in replies[-1], [status(r) for r in replies]

        # Still serving, and the entry is there once.
        code, body = support.get(base + "/ranking/5.json")
        entries = json.loads(body)["entries"]
        assert code == 200 and len(entries) == 1 and entries[0]["name"] == "山田", entries
        assert proc.poll() is None
        code, page = support.get(base + "/")
        assert code == 200 and "アイテム5のランキング" in page


if __name__ == "__main__":
    main()
