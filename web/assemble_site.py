#!/usr/bin/env python3
"""Steps of making the page's folder (web/CMakeLists.txt).

  assemble_site.py page OUT SOURCE... [--hooks HOOKS] [--minify ESBUILD]
                                             the page's scripts as one page.js
                                             (one request), HOOKS spliced in,
                                             made small by esbuild
  assemble_site.py picture CWEBP IN.bmp OUT.webp
  assemble_site.py worker SITE TEMPLATE      SITE/sw.js from the finished folder
  assemble_site.py mirror SITE OTHER         SITE's files into OTHER, but its
                                             program, page.js and sw.js
Every file is written through a temporary file, and only when it changed.
"""
import fnmatch
import hashlib
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile

HOOKS_MARK = "  // @hooks\n"
# What the first frame needs (and the bundled series, small and wanted
# offline): cached as the service worker installs. Everything else is cached
# once the player first touches the page, or when it is first fetched.
FIRST = ("index.html", "page.js", "page.css", "tavrin.wasm",
         "manifest.webmanifest", "pictures/hyperroad.webp", "pictures/background_normal.webp",
         "pictures/items.webp", "pictures/tavrin-48.png", "mondai/*")
PROGRAM = ("tavrin.wasm", "page.js", "sw.js")


def write_if_changed(path, data):
    if os.path.exists(path):
        with open(path, "rb") as f:
            if f.read() == data:
                return
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with open(path + ".tmp", "wb") as f:
        f.write(data)
    os.replace(path + ".tmp", path)


def page(out, *sources):
    sources = list(sources)
    def option(name):
        if name not in sources:
            return None
        at = sources.index(name)
        value = sources[at + 1]
        del sources[at:at + 2]
        return value
    hooks = option("--hooks")
    esbuild = option("--minify")
    texts = []
    for source in sources:
        with open(source, encoding="utf-8") as f:
            texts.append(f.read())
    if sum(text.count(HOOKS_MARK) for text in texts) != 1:
        sys.exit(f"{' '.join(sources)}: need the line {HOOKS_MARK.strip()!r} exactly once")
    inserted = ""
    if hooks:
        with open(hooks, encoding="utf-8") as f:
            inserted = f.read()
    text = "\n".join(texts).replace(HOOKS_MARK, inserted).encode("utf-8")
    if esbuild:
        # A plain script: its top-level names (which the page's parts share)
        # stay, the rest is renamed and squeezed.
        text = subprocess.run([esbuild, "--minify", "--loader=js", "--charset=utf8", "--log-level=warning"],
                              input=text, stdout=subprocess.PIPE, check=True).stdout
    write_if_changed(out, text)


def bmp_to_ppm(data):
    """A 24-bit BMP (as the asset tool writes them) as a binary PPM."""
    if data[:2] != b"BM" or len(data) < 54:
        raise ValueError("not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    planes, bits, compression = struct.unpack_from("<HHI", data, 26)
    if bits != 24 or compression != 0 or width <= 0 or height == 0 or planes != 1:
        raise ValueError("only uncompressed 24-bit BMP files are converted")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        line = data[start:start + width * 3]
        if len(line) != width * 3:
            raise ValueError("BMP file cut short")
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::3], line[1::3], line[0::3]
        rows.append(bytes(rgb))
    if height > 0:
        rows.reverse()
    return b"P6\n%d %d\n255\n" % (width, abs(height)) + b"".join(rows)


def picture(cwebp, source, out):
    with open(source, "rb") as f:
        ppm = bmp_to_ppm(f.read())
    with tempfile.TemporaryDirectory() as folder:
        raw, packed = os.path.join(folder, "in.ppm"), os.path.join(folder, "out.webp")
        with open(raw, "wb") as f:
            f.write(ppm)
        subprocess.run([cwebp, "-quiet", "-lossless", "-exact", "-z", "9", "-metadata", "none", raw, "-o", packed],
                       check=True)
        with open(packed, "rb") as f:
            write_if_changed(out, f.read())


def site_files(site):
    """The site's files relative to it, sorted, without the compressed copies
    and the worker itself."""
    names = []
    for folder, _, files in os.walk(site):
        for name in files:
            path = os.path.relpath(os.path.join(folder, name), site).replace(os.sep, "/")
            if not path.endswith((".gz", ".tmp")) and path != "sw.js":
                names.append(path)
    return sorted(names)


def worker(site, template):
    names = site_files(site)
    digest = hashlib.sha256()
    for name in names:
        with open(os.path.join(site, name), "rb") as f:
            digest.update(name.encode("utf-8") + b"\0" + hashlib.sha256(f.read()).digest())
    first = [n for n in names if any(fnmatch.fnmatchcase(n, p) for p in FIRST)]
    rest = [n for n in names if n not in first]
    with open(template, encoding="utf-8") as f:
        text = f.read()
    for line, value in (("const VERSION = '';", json.dumps(digest.hexdigest()[:16])),
                        ("const FIRST = [];", json.dumps(first, ensure_ascii=False)),
                        ("const REST = [];", json.dumps(rest, ensure_ascii=False))):
        if text.count(line) != 1:
            sys.exit(f"{template}: needs the line {line!r} exactly once")
        text = text.replace(line, line.replace("''" if "''" in line else "[]", value))
    write_if_changed(os.path.join(site, "sw.js"), text.encode("utf-8"))


def mirror(site, other):
    for name in site_files(site):
        if name in PROGRAM:
            continue
        with open(os.path.join(site, name), "rb") as f:
            write_if_changed(os.path.join(other, name), f.read())
        shutil.copymode(os.path.join(site, name), os.path.join(other, name))


def main():
    steps = {"page": (page, range(3, 99)), "picture": (picture, (4,)), "worker": (worker, (3,)),
             "mirror": (mirror, (3,))}
    if len(sys.argv) < 2 or sys.argv[1] not in steps or len(sys.argv) - 1 not in steps[sys.argv[1]][1]:
        sys.exit(__doc__)
    steps[sys.argv[1]][0](*sys.argv[2:])


if __name__ == "__main__":
    main()
