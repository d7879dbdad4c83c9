#!/usr/bin/python3
"""The Debian packages as a user meets them. Checks the built files (lintian,
desktop-file-validate, appstreamcli), installs both packages on this machine
with apt-get, then: the game finds its installed data, the bundled puzzles
pass tavrin-cli kem check, the score server started as its unit starts it
(same user, same arguments, same settings file) takes a registration, the
menu entry's command opens a puzzle file; finally removes the packages
(scores kept) and purges them (nothing of ours left).

Changes the machine it runs on: meant for disposable machines (CI, as root).

deb_test.py BUILD_DEB_DIR"""
import glob
import json
import os
import pwd
import re
import shlex
import shutil
import signal
import socket
import stat
import subprocess
import sys
import tempfile
import time
import urllib.request

UNIT = "/lib/systemd/system/tavrin-scores.service"
DEFAULTS = "/etc/default/tavrin-scores"
STATE = "/var/lib/tavrin-scores"
# 山田, 32767 points on 2024/12/31 with five item kinds (its code is KZP).
REGISTRATION = b"name=%8ER%93c&score=32767&dates=2024%2F12%2F31&comment=%83e%83X%83g&gametype=5&passwd=KZP"
# Where a package may leave something of ours, and what dpkg and apt keep about it.
SEARCHED = ("/usr", "/etc", "/var", "/opt")
BOOKKEEPING = ("/var/lib/dpkg", "/var/lib/apt", "/var/cache", "/var/log")

failures = []


def fail(message):
    print("FAIL:", message)
    failures.append(message)


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def apt(*arguments):
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    done = run(["apt-get", "-y", "-q", *arguments], env=env)
    if done.returncode != 0:
        print(done.stdout, done.stderr)
        raise SystemExit(f"apt-get {' '.join(arguments)} failed")


def ours():
    """Every file and folder outside dpkg's and apt's records whose name is ours."""
    found = set()
    for top in SEARCHED:
        for folder, subfolders, files in os.walk(top):
            if folder.startswith(BOOKKEEPING):
                subfolders[:] = []
                continue
            for name in subfolders + files:
                if "tavrin" in name.lower():
                    found.add(os.path.join(folder, name))
    return found


def check_built_files(debs, changes, work):
    done = run(["lintian", "--fail-on", "error,warning", "--show-overrides", "--tag-display-limit", "0", changes])
    print(done.stdout.strip())
    if done.returncode != 0:
        fail(f"lintian: {done.stderr.strip()}")
    for deb in debs:
        run(["dpkg-deb", "-x", deb, work], check=True)
    desktop = os.path.join(work, "usr/share/applications/tavrin.desktop")
    done = run(["desktop-file-validate", desktop])
    if done.returncode != 0 or done.stdout.strip():
        fail(f"desktop-file-validate: {done.stdout}{done.stderr}")
    metainfo = glob.glob(os.path.join(work, "usr/share/metainfo/*.metainfo.xml"))
    if len(metainfo) != 1:
        fail(f"expected one AppStream file, found {metainfo}")
    else:
        done = run(["appstreamcli", "validate", "--no-net", "--pedantic", metainfo[0]])
        if done.returncode != 0:
            fail(f"appstreamcli validate: {done.stdout}{done.stderr}")


def unit_command(unit_path):
    """User, arguments and environment of the unit's ExecStart, expanded as systemd does."""
    service = {}
    environment = {}
    for line in open(unit_path, encoding="utf-8"):
        line = line.strip()
        if not line or line.startswith(("#", ";", "[")):
            continue
        key, _, value = line.partition("=")
        if key == "Environment":
            name, _, setting = value.partition("=")
            environment[name] = setting
        elif key == "EnvironmentFile":
            path = value.lstrip("-")
            if os.path.exists(path):
                for setting in open(path, encoding="utf-8"):
                    setting = setting.strip()
                    if setting and not setting.startswith(("#", ";")):
                        name, _, text = setting.partition("=")
                        environment[name.strip()] = " ".join(shlex.split(text)) if text.strip() else ""
            elif not value.startswith("-"):
                fail(f"the unit's settings file {path} is missing")
        else:
            service[key] = value
    words = []
    for word in shlex.split(service["ExecStart"]):
        whole = re.fullmatch(r"\$\{(\w+)\}", word)
        split = re.fullmatch(r"\$(\w+)", word)
        if whole:
            words.append(environment.get(whole.group(1), ""))
        elif split:
            words.extend(environment.get(split.group(1), "").split())
        else:
            words.append(re.sub(r"\$\{(\w+)\}", lambda m: environment.get(m.group(1), ""), word))
    return service, words, environment


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


def check_server():
    service, command, _ = unit_command(UNIT)
    user = service.get("User")
    if user != "tavrin-scores" or service.get("Group") != "tavrin-scores":
        fail(f"the unit runs as {user}:{service.get('Group')}")
        return
    try:
        account = pwd.getpwnam(user)
    except KeyError:
        fail("installing made no user tavrin-scores")
        return
    if account.pw_uid >= 1000:
        fail(f"tavrin-scores is no system user (uid {account.pw_uid})")
    info = os.stat(STATE)
    if info.st_uid != account.pw_uid or stat.S_IMODE(info.st_mode) != 0o750:
        fail(f"{STATE} belongs to uid {info.st_uid} with mode {oct(info.st_mode)}")
    listen = command[command.index("--listen") + 1]
    if listen != "127.0.0.1:8932":
        fail(f"the server listens on {listen} by default")
    port = int(listen.rsplit(":", 1)[1])
    print("starting as the unit does:", user, shlex.join(command))
    # systemd starts system services in / with the user's groups only.
    server = subprocess.Popen(["setpriv", f"--reuid={user}", f"--regid={user}", "--init-groups",
                               "--reset-env", "--", *command],
                              cwd="/", stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    try:
        deadline = time.monotonic() + 20
        while True:
            if server.poll() is not None:
                fail(f"the server ended at start: {server.stdout.read().decode(errors='replace')}")
                return
            try:
                socket.create_connection(("127.0.0.1", port), timeout=0.5).close()
                break
            except OSError:
                if time.monotonic() > deadline:
                    fail("the server opened no port")
                    return
                time.sleep(0.1)
        reply = post(port, REGISTRATION)
        if not reply.startswith(b"HTTP/1.1 200"):
            fail(f"the registration was answered {reply[:200]!r}")
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/ranking/5.json", timeout=10) as answer:
            ranking = json.loads(answer.read().decode("utf-8"))
        if "32767" not in json.dumps(ranking):
            fail(f"the registered score is not in the ranking: {ranking}")
        # A package built with the browser version serves it.
        if os.path.isfile("/usr/share/tavrin/site/index.html"):
            with urllib.request.urlopen(f"http://127.0.0.1:{port}/play/", timeout=10) as answer:
                if answer.status != 200 or answer.read() != open("/usr/share/tavrin/site/index.html", "rb").read():
                    fail("/play/ does not serve the installed site")
    finally:
        server.send_signal(signal.SIGTERM)
        try:
            server.wait(10)
        except subprocess.TimeoutExpired:
            server.kill()
            server.wait()
            fail("the server did not end on SIGTERM")
    if server.returncode != 0:
        fail(f"the server ended with status {server.returncode}")
    database = os.path.join(STATE, "scores.sqlite")
    if not os.path.isfile(database) or os.stat(database).st_uid != account.pw_uid:
        fail(f"no database of the service's user at {database}")


def check_game(work):
    home = os.path.join(work, "home")
    os.makedirs(os.path.join(home, "run"), mode=0o700)
    # A desktop session's PATH, which has the games folder.
    env = dict(os.environ, PATH="/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games", HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_DATA_HOME=os.path.join(home, "data"), XDG_RUNTIME_DIR=os.path.join(home, "run"),
               QT_QPA_PLATFORM="offscreen", TAVRIN_NO_AUDIO="1")
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)

    done = run(["tavrin", "--check-data"], env=env)
    if done.returncode != 0 or done.stdout.strip() != "/usr/share/tavrin":
        fail(f"tavrin --check-data: {done.returncode} {done.stdout}{done.stderr}")
    for program, line in (("tavrin", "Tavrin for Windows "), ("tavrin-cli", "tavrin-cli "),
                          ("tavrin-scores", "tavrin-scores ")):
        done = run([program, "--version"], env=env)
        version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", program.split("-cli")[0]],
                                 capture_output=True, text=True).stdout
        if done.stdout.strip() != line + version:
            fail(f"{program} --version says {done.stdout.strip()!r}, the package is {version}")

    puzzles = sorted(glob.glob("/usr/share/tavrin/mondai/*.kem"))
    if len(puzzles) != 3:
        fail(f"expected the three bundled puzzle files, found {puzzles}")
    for puzzle in puzzles:
        done = run(["tavrin-cli", "kem", "check", puzzle], env=env)
        if done.returncode != 0:
            fail(f"kem check {puzzle}: {done.stdout}{done.stderr}")

    # The puzzle file type is known, and the game is its application.
    globs = open("/usr/share/mime/globs2", encoding="utf-8").read()
    if "application/x-tavrin-puzzle:*.kem" not in globs:
        fail("*.kem is no known file type after installation")
    cache = "/usr/share/applications/mimeinfo.cache"
    if os.path.exists(cache) and "application/x-tavrin-puzzle=tavrin.desktop" not in open(cache).read():
        fail("the desktop database does not name tavrin.desktop for puzzle files")

    # The menu entry's command on a puzzle file, as a file manager runs it.
    entry = open("/usr/share/applications/tavrin.desktop", encoding="utf-8").read()
    exec_line = re.search(r"^Exec=(.*)$", entry, re.M).group(1)
    puzzle = os.path.join(work, "中級.kem")
    shutil.copy(puzzles[0] if puzzles else "/dev/null", puzzle)
    words = [puzzle if w == "%f" else w for w in shlex.split(exec_line)]
    command = [words[0], "--quit-after-first-frame", *words[1:]]
    try:
        done = run(command, env=env, cwd=work, timeout=60)
        if done.returncode != 0:
            fail(f"{shlex.join(command)} ended with {done.returncode}: {done.stderr}")
    except subprocess.TimeoutExpired:
        fail(f"{shlex.join(command)} did not show its first frame within a minute")


def main():
    folder = os.path.abspath(sys.argv[1])
    debs = sorted(glob.glob(os.path.join(folder, "*.deb")))
    changes = glob.glob(os.path.join(folder, "*.changes"))
    names = sorted(os.path.basename(d).split("_")[0] for d in debs)
    if names != ["tavrin", "tavrin-scores"] or len(changes) != 1:
        raise SystemExit(f"expected the two packages and their .changes in {folder}, found {os.listdir(folder)}")
    for deb in debs:
        print(f"{os.path.basename(deb)}: {os.path.getsize(deb)} bytes")
    if run(["dpkg-query", "-W", "tavrin", "tavrin-scores"]).returncode == 0:
        raise SystemExit("tavrin or tavrin-scores is installed already: run this on a machine without them")

    before = ours()
    had_user = run(["getent", "passwd", "tavrin-scores"]).returncode == 0
    with tempfile.TemporaryDirectory(prefix="tavrin-deb-") as work:
        check_built_files(debs, changes[0], os.path.join(work, "unpacked"))
        apt("install", *debs)
        try:
            check_game(work)
            check_server()
        finally:
            apt("remove", "tavrin", "tavrin-scores")
        # Removed, the scores and the settings stay.
        for kept in (os.path.join(STATE, "scores.sqlite"), DEFAULTS):
            if not os.path.exists(kept):
                fail(f"removing the package deleted {kept}")
        for gone in ("/usr/games/tavrin", "/usr/bin/tavrin-scores", "/usr/share/tavrin", UNIT):
            if os.path.exists(gone):
                fail(f"{gone} is still there after removal")
        apt("purge", "tavrin", "tavrin-scores")
    left = sorted(ours() - before)
    if left:
        fail(f"left after purge: {left}")
    if not had_user and run(["getent", "passwd", "tavrin-scores"]).returncode == 0:
        fail("the user tavrin-scores is still there after purge")
    if failures:
        raise SystemExit(f"{len(failures)} package check(s) failed")
    print("Debian packages OK")


if __name__ == "__main__":
    main()
