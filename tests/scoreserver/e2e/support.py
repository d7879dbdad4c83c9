"""Helpers of the score server's end-to-end checks and load test: free ports,
the server, a throwaway PostgreSQL cluster."""
import contextlib
import os
import pwd
import shutil
import socket
import subprocess
import tempfile
import time
import urllib.request

PG_BIN = "/usr/lib/postgresql/15/bin"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for_port(port, proc=None, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if proc is not None and proc.poll() is not None:
            raise RuntimeError(f"process exited with {proc.returncode}")
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=0.5):
                return
        except OSError:
            time.sleep(0.05)
    raise RuntimeError(f"nothing listens on port {port}")


@contextlib.contextmanager
def score_server(binary, database, extra=()):
    """Runs tavrin-scores on a free port; yields its base address."""
    port = free_port()
    log = tempfile.TemporaryFile()
    proc = subprocess.Popen([binary, "--listen", f"127.0.0.1:{port}", "--database", database, *extra],
                            stdout=log, stderr=subprocess.STDOUT)
    try:
        wait_for_port(port, proc)
        yield f"http://127.0.0.1:{port}", proc
    finally:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
        log.seek(0)
        output = log.read().decode(errors="replace")
        if proc.returncode not in (0, -15):
            print(output)
            raise RuntimeError(f"tavrin-scores ended with {proc.returncode}")


def _as_user(user):
    """Command prefix that runs a program as `user` (PostgreSQL refuses root)."""
    if os.geteuid() != 0:
        return []
    return ["runuser", "-u", user, "--"]


@contextlib.contextmanager
def postgres_cluster(settings=""):
    """A throwaway PostgreSQL cluster in a temporary folder on a free port;
    yields the database URL for tavrin-scores. Removed afterwards."""
    if not os.path.exists(f"{PG_BIN}/initdb"):
        raise RuntimeError("PostgreSQL is not installed (scripts/install-deps.sh)")
    user = "nobody" if os.geteuid() == 0 else pwd.getpwuid(os.geteuid()).pw_name
    folder = tempfile.mkdtemp(prefix="tavrin-pg-")
    data = os.path.join(folder, "data")
    port = free_port()
    run = _as_user(user)
    # The cluster's programs run in its folder: the caller's may be closed to them.
    try:
        if os.geteuid() == 0:
            shutil.chown(folder, user)
        subprocess.run(run + [f"{PG_BIN}/initdb", "-D", data, "-U", "tavrin", "--auth=trust",
                              "--encoding=UTF8", "--locale=C"],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, cwd=folder)
        subprocess.run(run + [f"{PG_BIN}/pg_ctl", "-D", data, "-w", "-l", os.path.join(folder, "log"),
                              "-o", f"-p {port} -k {folder} -h 127.0.0.1 {settings}", "start"],
                       check=True, stdout=subprocess.DEVNULL, cwd=folder)
        subprocess.run(run + [f"{PG_BIN}/createdb", "-h", "127.0.0.1", "-p", str(port), "-U", "tavrin",
                              "scores"], check=True, cwd=folder)
        yield f"postgresql://tavrin@127.0.0.1:{port}/scores"
    finally:
        subprocess.run(run + [f"{PG_BIN}/pg_ctl", "-D", data, "-m", "immediate", "-w", "stop"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, cwd=folder)
        shutil.rmtree(folder, ignore_errors=True)


@contextlib.contextmanager
def database(kind, work):
    """The database URL for tavrin-scores: a throwaway PostgreSQL cluster for
    "postgresql", else an SQLite file in `work`."""
    if kind == "postgresql":
        with postgres_cluster() as url:
            yield url
    else:
        yield os.path.join(work, "scores.sqlite")


def get(url):
    with urllib.request.urlopen(url, timeout=10) as reply:
        return reply.status, reply.read().decode("utf-8")
