"""Starting tavrin-scores on a free port and checking that the server started
is the one answering there: shared by the package test and the sandbox test."""
import atexit
import json
import os
import shutil
import signal
import socket
import stat
import subprocess
import tempfile
import time
import urllib.request

# 山田, 32767 points on 2024/12/31 with five item kinds (its code is KZP).
REGISTRATION = b"name=%8ER%93c&score=32767&dates=2024%2F12%2F31&comment=%83e%83X%83g&gametype=5&passwd=KZP"


def readable_copy(path):
    """A copy of PATH (a script, a unit, a program) that every user may read
    and run: the tree it lies in may be private (a clone in /root), and the
    server runs as a user of its own."""
    folder = tempfile.mkdtemp(prefix="tavrin-copy-")
    atexit.register(shutil.rmtree, folder, True)
    os.chmod(folder, 0o755)
    copy = shutil.copy(path, folder)
    mode = os.stat(copy).st_mode
    os.chmod(copy, 0o755 if mode & stat.S_IXUSR else 0o644)
    return copy


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def listening_inodes(port):
    """Inodes of the IPv4 sockets listening on 127.0.0.1 or every address at PORT."""
    inodes = set()
    with open("/proc/net/tcp", encoding="ascii") as table:
        next(table)
        for line in table:
            fields = line.split()
            address, state, inode = fields[1], fields[3], fields[9]
            host, _, hex_port = address.partition(":")
            if state == "0A" and int(hex_port, 16) == port and host in ("0100007F", "00000000"):
                inodes.add(inode)
    return inodes


def owns_socket(pid, inodes):
    folder = f"/proc/{pid}/fd"
    for fd in os.listdir(folder):
        try:
            target = os.readlink(os.path.join(folder, fd))
        except OSError:
            continue
        if target.startswith("socket:[") and target[8:-1] in inodes:
            return True
    return False


def start(command, port, **popen):
    """Starts COMMAND, which listens on 127.0.0.1:PORT, and waits until that
    very process listens there. Returns (process, None) or (None, why not)."""
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, **popen)
    deadline = time.monotonic() + 20
    while True:
        if process.poll() is not None:
            output = process.stdout.read().decode(errors="replace").strip()
            return None, f"the server ended at start with status {process.returncode}: {output}"
        inodes = listening_inodes(port)
        if inodes and owns_socket(process.pid, inodes):
            return process, None
        if inodes and time.monotonic() > deadline - 15:
            stop(process)
            return None, (f"port {port} is held by another program, not by the server started "
                          f"(pid {process.pid}): its answers would test something else")
        if time.monotonic() > deadline:
            stop(process)
            return None, f"the server opened no port {port} within 20 s"
        time.sleep(0.1)


def stop(process):
    """SIGTERM, as systemd stops the service; the exit status (None: had to be killed)."""
    process.send_signal(signal.SIGTERM)
    try:
        return process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        return None


def post(port, body):
    request = (b"POST /~kelm/cgi-bin/hello2.cgi HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
               b"Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
               str(len(body)).encode() + b"\r\n\r\n" + body)
    with socket.create_connection(("127.0.0.1", port), timeout=10) as s:
        s.sendall(request)
        reply = b""
        while chunk := s.recv(65536):
            reply += chunk
    return reply


def registration_problems(port):
    """Registers REGISTRATION and reads it back from the ranking: what went wrong."""
    problems = []
    reply = post(port, REGISTRATION)
    if not reply.startswith(b"HTTP/1.1 200"):
        problems.append(f"the registration was answered {reply[:200]!r}")
    with urllib.request.urlopen(f"http://127.0.0.1:{port}/ranking/5.json", timeout=10) as answer:
        ranking = json.loads(answer.read().decode("utf-8"))
    if "32767" not in json.dumps(ranking):
        problems.append(f"the registered score is not in the ranking: {ranking}")
    return problems
