#!/usr/bin/env python3
"""Writes NAME.gz beside every file of the site that compresses well, for
servers that send precompressed files (tavrin-scores does). Music and the PNG
and WebP pictures are compressed already and stay as they are."""
import gzip
import os
import sys

SKIP = (".gz", ".ogg", ".png", ".webp")

for folder, _, names in os.walk(sys.argv[1]):
    for name in names:
        if name.endswith(SKIP):
            continue
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            data = f.read()
        packed = gzip.compress(data, 9, mtime=0)
        target = path + ".gz"
        if len(packed) >= len(data):
            if os.path.exists(target):
                os.remove(target)
            continue
        if os.path.exists(target):
            with open(target, "rb") as f:
                if f.read() == packed:
                    continue
        with open(target + ".tmp", "wb") as f:
            f.write(packed)
        os.replace(target + ".tmp", target)
