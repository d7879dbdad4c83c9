#!/usr/bin/python3
"""Load test of tavrin-scores on SQLite and on a throwaway PostgreSQL.

score_server_load.py BUILD_DIR [SECONDS]

For each database: registrations (every one correctly signed and its answer
checked), ranking reads, then registrations again while extra connections
hang up mid-request or send garbage. Afterwards every verified registration
must be found in the database. The per-address limit is switched off with
--registrations-per-minute 0 (all clients come from 127.0.0.1)."""
import os
import sqlite3
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "scoreserver", "e2e"))
import support  # noqa: E402

GOALS = {"register": 1000, "read": 5000}
P99_GOAL_MS = 50.0
CLIENTS = {"register": 16, "read": 16}


def run_load(load, port, seconds, mode, chaos, accepted):
    line = subprocess.run([load, str(port), str(seconds), str(CLIENTS[mode]), mode, str(chaos), accepted],
                          check=True, capture_output=True, text=True).stdout.strip()
    return dict(item.split("=", 1) for item in line.split())


def stored_names(database):
    if database.startswith("postgresql://"):
        address = database[len("postgresql://"):]
        user, rest = address.split("@", 1)
        hostport, name = rest.split("/", 1)
        host, port = hostport.split(":")
        out = subprocess.run([f"{support.PG_BIN}/psql", "-h", host, "-p", port, "-U", user, "-At", "-c",
                              "SELECT name FROM entries", name], check=True, capture_output=True, text=True).stdout
        return set(out.splitlines())
    with sqlite3.connect(database) as db:
        return {row[0] for row in db.execute("SELECT name FROM entries")}


def measure(kind, database, build, seconds):
    load = os.path.join(build, "tavrin_score_load")
    server = os.path.join(build, "tavrin-scores")
    with tempfile.TemporaryDirectory(prefix="tavrin-load-", ignore_cleanup_errors=True) as work:
        return measure_in(kind, database, load, server, seconds, work)


def measure_in(kind, database, load, server, seconds, work):
    rows = []
    with support.score_server(server, database, ["--registrations-per-minute", "0"]) as (base, proc):
        port = int(base.rsplit(":", 1)[1])
        accepted = []
        for phase, mode, chaos in (("registrations", "register", 0), ("ranking reads", "read", 0),
                                   ("registrations + hostile clients", "register", 8)):
            path = os.path.join(work, f"{mode}-{chaos}")
            result = run_load(load, port, seconds, mode, chaos, path)
            if mode == "register":
                with open(path, encoding="utf-8") as f:
                    accepted += f.read().split()
            rows.append((kind, phase, result))
        alive = proc.poll() is None
        status, _ = support.get(base + "/ranking/3")
    names = stored_names(database)
    lost = [name for name in accepted if name not in names]
    return rows, alive and status == 200, len(accepted), lost


def main():
    build = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 5.0
    results = []
    checks = []
    with tempfile.TemporaryDirectory(prefix="tavrin-load-db-", ignore_cleanup_errors=True) as work:
        rows, alive, accepted, lost = measure("SQLite", os.path.join(work, "scores.sqlite"), build, seconds)
    results += rows
    checks.append(("SQLite", alive, accepted, lost))
    with support.postgres_cluster() as database:
        rows, alive, accepted, lost = measure("PostgreSQL", database, build, seconds)
    results += rows
    checks.append(("PostgreSQL", alive, accepted, lost))

    print(f"\ntavrin-scores load ({seconds:g} s per phase, {os.cpu_count()} cores, clients on the same machine)")
    print(f"{'database':<11} {'phase':<33} {'clients':>7} {'verified/s':>10} {'p50 ms':>7} {'p99 ms':>7} "
          f"{'errors':>6}  goal")
    for kind, phase, r in results:
        mode = r["mode"]
        met = float(r["per_second"]) >= GOALS[mode] and float(r["p99_ms"]) < P99_GOAL_MS and r["errors"] == "0"
        clients = r["clients"] + (f"+{r['chaos_clients']}" if r["chaos_clients"] != "0" else "")
        print(f"{kind:<11} {phase:<33} {clients:>7} {r['per_second']:>10} {r['p50_ms']:>7} {r['p99_ms']:>7} "
              f"{r['errors']:>6}  {'met' if met else 'MISSED'}")
    failed = False
    for kind, alive, accepted, lost in checks:
        print(f"{kind}: server {'kept answering' if alive else 'STOPPED ANSWERING'}; "
              f"{accepted} verified registrations, {len(lost)} missing from the database")
        failed = failed or not alive or bool(lost)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
