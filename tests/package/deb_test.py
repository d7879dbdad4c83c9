#!/usr/bin/python3
"""The Debian packages as a user meets them. Checks the built files (lintian
on the source package and the three packages, desktop-file-validate,
appstreamcli), installs the packages on this machine with apt-get, then: the
game finds its installed data, the bundled puzzles pass tavrin-cli kem check,
systemd-analyze rates the service's sandbox at most 2.0, the score server
started as its unit starts it (same user, same arguments, same settings file,
under the unit's system-call and memory restrictions, on a free port) is the
one answering there, takes a registration and serves the installed browser
version under /play/, the menu entry's command opens a puzzle file; finally
removes the packages (scores kept) and purges them (nothing of ours left).

Changes the machine it runs on: meant for disposable machines (CI, as root).
With --installed it checks the packages installed already and changes
nothing else (the autopkgtest of debian/tests).

deb_test.py BUILD_DEB_DIR | --installed"""
import glob
import os
import pwd
import re
import shlex
import shutil
import stat
import subprocess
import sys
import tempfile
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import server_check  # noqa: E402
from service_sandbox import HIGHEST_EXPOSURE, SANDBOX, exposure  # noqa: E402

UNIT = "/lib/systemd/system/tavrin-scores.service"
DEFAULTS = "/etc/default/tavrin-scores"
STATE = "/var/lib/tavrin-scores"
PACKAGES = ["tavrin", "tavrin-scores", "tavrin-web"]
SITE = "/usr/share/tavrin/site"
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
    if not any(line.strip().endswith(".dsc") for line in open(changes, encoding="utf-8")):
        fail(f"{changes} names no source package")
    # Overridden tags show as "O:" (and make lintian's own status fail, so the
    # errors and warnings are counted here).
    done = run(["lintian", "--show-overrides", "--tag-display-limit", "0", changes])
    print(done.stdout.strip())
    flagged = [line for line in done.stdout.splitlines() if line.startswith(("E: ", "W: "))]
    if flagged or done.returncode not in (0, 2):
        fail(f"lintian: {flagged} {done.stderr.strip()}")
    for deb in debs:
        run(["dpkg-deb", "-x", deb, work], check=True)
    # The browser version in its own package, whole: page, code, compressed copies.
    web = next(d for d in debs if os.path.basename(d).startswith("tavrin-web_"))
    held = run(["dpkg-deb", "-c", web]).stdout
    for name in ("index.html", "tavrin.wasm", "tavrin.wasm.gz", "page.js"):
        if f".{SITE}/{name}\n" not in held:
            fail(f"tavrin-web does not hold {SITE}/{name}")
    for deb in debs:
        if deb != web and f".{SITE}/" in run(["dpkg-deb", "-c", deb]).stdout:
            fail(f"{os.path.basename(deb)} holds files of the site as well")
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
    listen = command.index("--listen") + 1
    if command[listen] != "127.0.0.1:8932":
        fail(f"the server listens on {command[listen]} by default")
    level, report = exposure(UNIT)
    print(f"systemd-analyze security {UNIT}: {level}")
    if level > HIGHEST_EXPOSURE:
        fail(f"the unit's exposure is {level}, more than {HIGHEST_EXPOSURE}:\n{report}")
    # The unit's command on a free port (a server already on 8932, such as the
    # service itself, stays out of it), under the unit's sandbox as far as it
    # works without systemd. systemd starts system services in / with the
    # user's groups only.
    port = server_check.free_port()
    command[listen] = f"127.0.0.1:{port}"
    print("starting as the unit does:", user, shlex.join(command))
    server, why = server_check.start(
        ["setpriv", f"--reuid={user}", f"--regid={user}", "--init-groups", "--reset-env",
         "--inh-caps=-all", "--bounding-set=-all", "--", "/usr/bin/python3", server_check.readable_copy(SANDBOX), UNIT, "--",
         *command],
        port, cwd="/")
    if server is None:
        fail(why)
        return
    try:
        for problem in server_check.registration_problems(port):
            fail(problem)
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/play/", timeout=10) as answer:
            if answer.status != 200 or answer.read() != open(f"{SITE}/index.html", "rb").read():
                fail("/play/ does not serve the installed site")
    finally:
        status = server_check.stop(server)
    if status != 0:
        fail(f"the server ended with status {status} (-31: a system call the unit forbids): "
             f"{server.stdout.read().decode(errors='replace')}")
    database = os.path.join(STATE, "scores.sqlite")
    if not os.path.isfile(database) or os.stat(database).st_uid != account.pw_uid:
        fail(f"no database of the service's user at {database}")
    elif stat.S_IMODE(os.stat(database).st_mode) & 0o007:
        fail(f"the database is readable by others: {oct(os.stat(database).st_mode)}")


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


def check_installed():
    """What the installed packages do; changes nothing but the scores kept."""
    with tempfile.TemporaryDirectory(prefix="tavrin-deb-") as work:
        check_game(work)
        check_server()


def main():
    if sys.argv[1:] == ["--installed"]:
        check_installed()
        if failures:
            raise SystemExit(f"{len(failures)} package check(s) failed")
        print("installed Debian packages OK")
        return
    folder = os.path.abspath(sys.argv[1])
    debs = sorted(glob.glob(os.path.join(folder, "*.deb")))
    changes = glob.glob(os.path.join(folder, "*.changes"))
    names = sorted(os.path.basename(d).split("_")[0] for d in debs)
    if names != PACKAGES or len(changes) != 1:
        raise SystemExit(f"expected the packages {PACKAGES} and their .changes in {folder}, found {os.listdir(folder)}")
    for deb in debs:
        print(f"{os.path.basename(deb)}: {os.path.getsize(deb)} bytes")
    if run(["dpkg-query", "-W", *PACKAGES]).returncode == 0:
        raise SystemExit(f"one of {PACKAGES} is installed already: run this on a machine without them")

    before = ours()
    had_user = run(["getent", "passwd", "tavrin-scores"]).returncode == 0
    with tempfile.TemporaryDirectory(prefix="tavrin-deb-") as work:
        check_built_files(debs, changes[0], os.path.join(work, "unpacked"))
    apt("install", *debs)
    try:
        check_installed()
    finally:
        apt("remove", *PACKAGES)
    # Removed, the scores and the settings stay.
    for kept in (os.path.join(STATE, "scores.sqlite"), DEFAULTS):
        if not os.path.exists(kept):
            fail(f"removing the package deleted {kept}")
    for gone in ("/usr/games/tavrin", "/usr/bin/tavrin-scores", "/usr/share/tavrin", UNIT):
        if os.path.exists(gone):
            fail(f"{gone} is still there after removal")
    apt("purge", *PACKAGES)
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
