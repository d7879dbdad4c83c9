#!/usr/bin/python3
"""Load test of tavrin-scores on SQLite and on a throwaway PostgreSQL.

score_server_load.py BUILD_DIR [SECONDS]

For each database: registrations of the pages' form (every one correctly
signed and its answer checked), ranking reads, registrations of real finished
games with their records (each replayed by the server before it is stored as
verified), then those again while extra connections hang up mid-request or
send garbage. Afterwards every accepted registration must be found in the
database. The per-address limit is switched off with
--registrations-per-minute 0 (all clients come from 127.0.0.1). The finished
games come from tavrin_record_search, made once into BUILD_DIR."""
import os
import sqlite3
import statistics
import time
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "scoreserver", "e2e"))
import support  # noqa: E402

GOALS = {"register": 1000, "read": 5000, "record": 1000}
P99_GOAL_MS = 50.0
CLIENTS = {"register": 16, "read": 16, "record": 16}
# The phases run this many times, interleaved; the table gives the medians.
ROUNDS = int(os.environ.get("TAVRIN_LOAD_ROUNDS", "1"))
# Finished games made once and kept beside the build (the database is new
# each run): 10 000 for each verified phase of each round.
GAMES = 20000 * max(ROUNDS, 2)


def finished_games(build):
    path = os.path.join(build, f"bench-finished-games-{GAMES}.txt")
    if not os.path.exists(path):
        start = time.monotonic()
        with open(path + ".part", "w", encoding="ascii") as out:
            subprocess.run([os.path.join(build, "tavrin_record_search"), "1000000", str(GAMES)], check=True,
                           stdout=out, stderr=subprocess.DEVNULL)
        os.replace(path + ".part", path)
        print(f"{GAMES} finished games found by the automatic player in {time.monotonic() - start:.0f} s")
    return path


def run_load(load, port, seconds, mode, chaos, accepted, games):
    line = subprocess.run([load, str(port), str(seconds), str(CLIENTS[mode]), mode, str(chaos), accepted, games],
                          check=True, capture_output=True, text=True).stdout.strip()
    return dict(item.split("=", 1) for item in line.split())


NAMES = "SELECT name FROM entries UNION ALL SELECT name FROM verified_entries"


def stored_names(database):
    if database.startswith("postgresql://"):
        address = database[len("postgresql://"):]
        user, rest = address.split("@", 1)
        hostport, name = rest.split("/", 1)
        host, port = hostport.split(":")
        out = subprocess.run([f"{support.PG_BIN}/psql", "-h", host, "-p", port, "-U", user, "-At", "-c",
                              NAMES, name], check=True, capture_output=True, text=True).stdout
        return set(out.splitlines())
    with sqlite3.connect(database) as db:
        return {row[0] for row in db.execute(NAMES)}


def load_average():
    with open("/proc/loadavg", encoding="ascii") as f:
        return float(f.read().split()[0])


def measure(kind, database, build, seconds, games):
    load = os.path.join(build, "tavrin_score_load")
    server = os.path.join(build, "tavrin-scores")
    with tempfile.TemporaryDirectory(prefix="tavrin-load-", ignore_cleanup_errors=True) as work:
        return measure_in(kind, database, load, server, seconds, work, games)


PHASES = (("registrations (pages' form)", "register", 0), ("ranking reads", "read", 0),
          ("verified registrations (records)", "record", 0), ("verified + hostile clients", "record", 8),
          ("form registrations + hostile clients", "register", 8))


def measure_in(kind, database, load, server, seconds, work, games):
    rows = []
    with support.score_server(server, database, ["--registrations-per-minute", "0"]) as (base, proc):
        port = int(base.rsplit(":", 1)[1])
        accepted = []
        # Each verified phase of each round registers games no other has.
        parts = []
        with open(games, encoding="ascii") as f:
            lines = f.readlines()
        for k in range(2 * ROUNDS):
            parts.append(os.path.join(work, f"games-{k}"))
            with open(parts[-1], "w", encoding="ascii") as f:
                f.writelines(lines[k::2 * ROUNDS])
        for round_ in range(ROUNDS):
            for phase, mode, chaos in PHASES:
                path = os.path.join(work, f"{mode}-{chaos}-{round_}")
                result = run_load(load, port, seconds, mode, chaos, path, parts[2 * round_ + (chaos > 0)])
                result["load"] = f"{load_average():.1f}"
                if mode in ("register", "record"):
                    with open(path, encoding="utf-8") as f:
                        accepted += f.read().split()
                rows.append((kind, phase, result))
        alive = proc.poll() is None
        status, _ = support.get(base + "/ranking/3")
    names = stored_names(database)
    lost = [name for name in accepted if name not in names]
    return rows, alive and status == 200, len(accepted), lost


def medians(results):
    """One row per database and phase: the median of each figure over the
    rounds, the errors of all rounds."""
    grouped = {}
    for kind, phase, r in results:
        grouped.setdefault((kind, phase), []).append(r)
    rows = []
    for (kind, phase), runs in grouped.items():
        row = dict(runs[0])
        for figure in ("per_second", "p50_ms", "p99_ms", "load"):
            value = statistics.median(float(r[figure]) for r in runs)
            row[figure] = f"{value:.0f}" if figure == "per_second" else f"{value:.{1 if figure == 'load' else 2}f}"
        row["errors"] = str(sum(int(r["errors"]) for r in runs))
        row["exhausted"] = "1" if any(r.get("exhausted") == "1" for r in runs) else "0"
        rows.append((kind, phase, row))
    return rows


def main():
    build = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 5.0
    results = []
    checks = []
    games = finished_games(build)
    with tempfile.TemporaryDirectory(prefix="tavrin-load-db-", ignore_cleanup_errors=True) as work:
        rows, alive, accepted, lost = measure("SQLite", os.path.join(work, "scores.sqlite"), build, seconds, games)
    results += rows
    checks.append(("SQLite", alive, accepted, lost))
    with support.postgres_cluster() as database:
        rows, alive, accepted, lost = measure("PostgreSQL", database, build, seconds, games)
    results += rows
    checks.append(("PostgreSQL", alive, accepted, lost))

    print(f"\ntavrin-scores load ({seconds:g} s per phase, {os.cpu_count()} cores, clients on the same machine; "
          f"load: the 1-minute load average after the phase; medians of {ROUNDS} interleaved round(s))")
    print(f"{'database':<11} {'phase':<37} {'clients':>7} {'accepted/s':>10} {'p50 ms':>7} {'p99 ms':>7} "
          f"{'errors':>6} {'load':>5}  goal")
    for kind, phase, r in medians(results):
        mode = r["mode"]
        met = float(r["per_second"]) >= GOALS[mode] and float(r["p99_ms"]) < P99_GOAL_MS and r["errors"] == "0"
        clients = r["clients"] + (f"+{r['chaos_clients']}" if r["chaos_clients"] != "0" else "")
        note = " (ran out of games)" if r.get("exhausted") == "1" else ""
        print(f"{kind:<11} {phase:<37} {clients:>7} {r['per_second']:>10} {r['p50_ms']:>7} {r['p99_ms']:>7} "
              f"{r['errors']:>6} {r['load']:>5}  {'met' if met else 'MISSED'}{note}")
    failed = False
    for kind, alive, accepted, lost in checks:
        print(f"{kind}: server {'kept answering' if alive else 'STOPPED ANSWERING'}; "
              f"{accepted} accepted registrations, {len(lost)} missing from the database")
        failed = failed or not alive or bool(lost)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
