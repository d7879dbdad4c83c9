#!/usr/bin/python3
"""The manual pages: groff formats each without a warning, and tavrin-cli(6)
describes every command `tavrin-cli --help` lists, with the command's
arguments on its own heading line (not pushed to the next line).

man_pages.py SOURCE_DIR TAVRIN_CLI"""
import os
import re
import subprocess
import sys

PAGES = ("tavrin.6", "tavrin-cli.6", "tavrin-scores.8")


def render(path):
    done = subprocess.run(["groff", "-man", "-Tutf8", "-ww", "-rLL=80n", "-P-cbou", path],
                          capture_output=True, text=True, env=dict(os.environ, LC_ALL="C.UTF-8"))
    return done.stdout, done.stderr.strip()


def commands(cli):
    """(name, takes options) of every usage line, e.g. ("kem generate", True)."""
    usage = subprocess.run([cli, "--help"], capture_output=True, text=True, check=True).stdout
    found = []
    for line in usage.splitlines():
        match = re.match(r"^  ([a-z]+(?: [a-z]+)?)( \[)?", line)
        if match and not line.startswith("   "):
            name = match.group(1)
            # "kem dump FILE": the second word is a subcommand only when lower case.
            found.append((name, bool(match.group(2))))
    return found


def main():
    source, cli = sys.argv[1], sys.argv[2]
    failures = []
    texts = {}
    for page in PAGES:
        text, warnings = render(os.path.join(source, "packaging", page))
        texts[page] = text
        if warnings:
            failures.append(f"{page}: groff warns: {warnings}")
        if not text.strip():
            failures.append(f"{page}: renders empty")
    headings = [line for line in texts["tavrin-cli.6"].splitlines() if re.match(r"^ {7}\S", line)]
    listed = commands(cli)
    if len(listed) < 8:
        failures.append(f"tavrin-cli --help lists only {listed}")
    for name, options in listed:
        heading = next((h for h in headings if h[7:] == name or h[7:].startswith(name + " ")), None)
        if heading is None:
            failures.append(f"tavrin-cli(6) does not describe '{name}'")
        elif options and "[" not in heading:
            failures.append(f"tavrin-cli(6): the arguments of '{name}' are not on its heading line: {heading!r}")
    for failure in failures:
        print("FAIL:", failure)
    if failures:
        raise SystemExit(1)
    print(f"manual pages OK ({len(listed)} commands of tavrin-cli described)")


if __name__ == "__main__":
    main()
