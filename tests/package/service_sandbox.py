#!/usr/bin/python3
"""The score server's systemd unit: systemd-analyze rates its sandbox at most
2.0, and the server built here, started under the unit's system-call filter,
memory, socket and file-mode restrictions (unit_sandbox.py) and without
privileges, takes a registration, shows it, leaves its database unreadable to
others and ends cleanly on SIGTERM. A filter too strict for Qt or SQLite
kills the server here, as it would under systemd.

service_sandbox.py UNIT TAVRIN_SCORES"""
import os
import re
import shutil
import stat
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import server_check  # noqa: E402

HIGHEST_EXPOSURE = 2.0
SANDBOX = os.path.join(os.path.dirname(os.path.abspath(__file__)), "unit_sandbox.py")


def exposure(unit):
    done = subprocess.run(["systemd-analyze", "security", "--offline=true", "--no-pager", unit],
                          capture_output=True, text=True)
    match = re.search(r"Overall exposure level for \S+: (\d+\.\d+)", done.stdout)
    if not match:
        raise SystemExit(f"systemd-analyze security gave no rating: {done.stdout}{done.stderr}")
    return float(match.group(1)), done.stdout


def unprivileged(folder):
    """setpriv's arguments for a user without privileges, as the unit runs it;
    as root that is nobody, who then owns FOLDER."""
    common = ["setpriv", "--no-new-privs", "--inh-caps=-all", "--bounding-set=-all"]
    if os.getuid() != 0:
        return common + ["--"]
    os.chown(folder, 65534, 65534)
    return common + ["--reuid=65534", "--regid=65534", "--clear-groups", "--"]


def main():
    # The sandbox script, the unit and the server as the unprivileged user
    # can read them, wherever the tree lies.
    unit, program = server_check.readable_copy(sys.argv[1]), server_check.readable_copy(sys.argv[2])
    sandbox = server_check.readable_copy(SANDBOX)
    failures = []
    level, report = exposure(unit)
    print(f"systemd-analyze security: {level}")
    if level > HIGHEST_EXPOSURE:
        failures.append(f"the unit's exposure is {level}, more than {HIGHEST_EXPOSURE}:\n{report}")

    with tempfile.TemporaryDirectory(prefix="tavrin-sandbox-") as work:
        os.chmod(work, 0o755)
        state = os.path.join(work, "state")
        os.mkdir(state)
        port = server_check.free_port()
        database = os.path.join(state, "scores.sqlite")
        command = [*unprivileged(state), "/usr/bin/python3", sandbox, unit, "--", program,
                   "--listen", f"127.0.0.1:{port}", "--database", database, "--registrations-per-minute", "10"]
        server, why = server_check.start(command, port, cwd="/", env={"PATH": "/usr/bin:/bin", "LANG": "C.UTF-8"})
        if server is None:
            failures.append(why)
        else:
            try:
                failures += server_check.registration_problems(port)
            finally:
                status = server_check.stop(server)
            output = server.stdout.read().decode(errors="replace").strip()
            if status != 0:
                failures.append(f"the server ended with status {status} (-31: a forbidden system call): {output}")
            if not os.path.isfile(database):
                failures.append("the server wrote no database")
            elif stat.S_IMODE(os.stat(database).st_mode) & 0o007:
                failures.append(f"the database is readable by others: {oct(os.stat(database).st_mode)}")
        shutil.rmtree(state, ignore_errors=True)

    for failure in failures:
        print("FAIL:", failure)
    if failures:
        raise SystemExit(1)
    print("the server runs under its unit's sandbox")


if __name__ == "__main__":
    main()
