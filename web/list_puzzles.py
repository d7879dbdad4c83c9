#!/usr/bin/env python3
"""Writes FOLDER/list.json: the names of the puzzle files (*.kem) in FOLDER,
which the page's Open box offers."""
import json
import os
import sys

folder = sys.argv[1]
names = sorted(n for n in os.listdir(folder) if n.lower().endswith(".kem"))
with open(os.path.join(folder, "list.json"), "w", encoding="utf-8") as out:
    json.dump(names, out, ensure_ascii=False)
