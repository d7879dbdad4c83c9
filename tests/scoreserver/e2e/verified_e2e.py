#!/usr/bin/python3
"""Verified registrations against a running tavrin-scores: a real finished
game registered with its record is replayed and ranked as verified; the same
record changed by one move, or claiming another score, is refused; today's
daily game goes to the ranking of its date; --verified-only hides the pages'
entries.

verified_e2e.py sqlite|postgresql TAVRIN_SCORES TAVRIN_RECORD_SEARCH RECORDS_FILE"""
import datetime
import json
import os
import subprocess
import sys
import tempfile
import urllib.error
import urllib.request
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import support  # noqa: E402
from hostile_http import BODY, exchange, post, status  # noqa: E402


def register(base, payload, content_type="application/json"):
    data = payload if isinstance(payload, bytes) else json.dumps(payload).encode()
    request = urllib.request.Request(base + "/register", data=data, headers={"Content-Type": content_type})
    try:
        with urllib.request.urlopen(request, timeout=20) as reply:
            return reply.status, json.loads(reply.read())
    except urllib.error.HTTPError as error:
        return error.code, json.loads(error.read())


def ranking(base, path):
    code, body = support.get(base + path)
    assert code == 200, (path, code)
    return json.loads(body)


def resealed(text, change):
    """The record with `change` applied to its bytes before the checksum, sealed again."""
    body = bytearray(bytes.fromhex(text)[:-4])
    change(body)
    return (bytes(body) + zlib.crc32(bytes(body)).to_bytes(4, "little")).hex()


def finished_games(path):
    games = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                score, kinds, _, text = line.split()
                games.append((int(score), int(kinds), text))
    return games


def check_verified(base, games):
    score, kinds, text = games[0]
    code, answer = register(base, {"name": "山田", "comment": "記録つき", "score": score, "record": text})
    assert code == 200 and answer["registered"] and answer["verified"], (code, answer)
    assert answer["score"] == score and answer["rank"] == 1 and answer["ranking"] == f"/ranking/{kinds}", answer
    listed = ranking(base, f"/ranking/{kinds}.json")
    assert [(e["name"], e["score"]) for e in listed["verified"]] == [("山田", score)], listed
    assert listed["entries"] == [], listed

    # The same record under another name stays the first player's.
    code, answer = register(base, {"name": "他人", "score": score, "record": text})
    assert code == 200 and not answer["registered"], answer

    # One move changed: the last piece thrown away instead of laid.
    changed = resealed(text, lambda b: b.__setitem__(len(b) - 1, 64))
    code, answer = register(base, {"name": "山田", "score": score, "record": changed})
    assert code == 422 and answer["error"] == "not-verified" and "目標に達していません" in answer["message"], answer

    # Another score claimed for the real game.
    code, answer = register(base, {"name": "山田", "score": score + 100, "record": text})
    assert code == 422 and f"{score}点" in answer["message"], answer

    # Damaged, malformed and not JSON at all.
    code, answer = register(base, {"name": "山田", "score": score, "record": text[:-2] + "00"})
    assert code == 422 and answer["error"] == "bad-record", answer
    assert register(base, b"{not json")[0] == 400
    assert register(base, {"name": "", "score": score, "record": text})[0] == 400
    assert register(base, {"name": "a", "score": 40000, "record": text})[0] == 400
    assert register(base, {"name": "a", "score": score, "record": text}, "text/plain")[0] == 415
    two = [g for g in games if g[1] == 2][0]
    code, answer = register(base, {"name": "a", "score": two[0], "record": two[2]})
    assert code == 422 and answer["error"] == "no-ranking", answer
    page = support.get(base + f"/ranking/{kinds}")[1]
    assert page.index("記録で確かめたスコア") < page.index("山田") < page.index("未確認"), page


def check_daily(base, search):
    today = datetime.date.today().isoformat()
    line = subprocess.run([search, "--daily", today], check=True, capture_output=True, text=True).stdout.split()
    score, text = int(line[0]), line[2]
    code, answer = register(base, {"name": "花子", "score": score, "record": text})
    assert code == 200 and answer["registered"] and answer["daily"] == today, answer
    assert answer["ranking"] == f"/daily/{today}" and answer["gametype"] is None, answer
    listed = ranking(base, f"/daily/{today}.json")
    assert [(e["name"], e["score"]) for e in listed["entries"]] == [("花子", score)], listed
    code, answer = register(base, {"name": "花子", "score": score, "record": text})
    assert code == 200 and not answer["registered"] and answer["rank"] == 1, answer
    assert "花子" in support.get(base + f"/daily/{today}")[1]
    assert "花子" in support.get(base + "/")[1]
    assert status(exchange(int(base.rsplit(":", 1)[1]), b"GET /daily/2026-02-30 HTTP/1.1\r\nHost: t\r\n"
                                                         b"Connection: close\r\n\r\n")) == 404


def check_verified_only(server, database, games):
    with support.score_server(server, database, ["--verified-only"]) as (base, _):
        port = int(base.rsplit(":", 1)[1])
        assert status(exchange(port, post(BODY, extra=b"Connection: close\r\n"))) == 200
        listed = ranking(base, "/ranking/5.json")
        assert listed["entries"] == [], listed
        assert "未確認" not in support.get(base + "/ranking/5")[1]
        assert ranking(base, f"/ranking/{games[0][1]}.json")["verified"], "the verified entry went missing"


def main():
    kind, server, search, records = sys.argv[1:5]
    games = finished_games(records)
    with tempfile.TemporaryDirectory(prefix="tavrin-verified-", ignore_cleanup_errors=True) as work:
        with support.database(kind, work) as database:
            with support.score_server(server, database, ["--registrations-per-minute", "0"]) as (base, _):
                check_verified(base, games)
                check_daily(base, search)
            check_verified_only(server, database, games)
    print(f"verified registrations on {kind}: 3 passed, 0 failed")


if __name__ == "__main__":
    main()
