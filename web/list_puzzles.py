#!/usr/bin/env python3
"""Writes FOLDER/list.json: the names of the puzzle files (*.kem) in FOLDER,
which the page's Open box offers: the bundled collection from the easiest up
(the order of kCollectionFiles in puzzles/game_series.h), any other file
after them by name."""
import json
import os
import sys

COLLECTION = ("入門.kem", "中級.kem", "上級.kem")


def order(name):
    return (COLLECTION.index(name), "") if name in COLLECTION else (len(COLLECTION), name)


folder = sys.argv[1]
names = sorted((n for n in os.listdir(folder) if n.lower().endswith(".kem")), key=order)
with open(os.path.join(folder, "list.json") + ".tmp", "w", encoding="utf-8") as out:
    json.dump(names, out, ensure_ascii=False)
os.replace(os.path.join(folder, "list.json") + ".tmp", os.path.join(folder, "list.json"))
