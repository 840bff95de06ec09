#!/usr/bin/env python3
"""Checks that every folder of src/ includes only itself and the folders src/layers.txt allows it.

Usage: check_layering.py SRC_DIR. Prints each include that reaches a folder its own folder may not use, as
file:line: folder -> folder ("include"), and exits with 1 when there is any.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/[^"]*"')


def read_table(src):
    table = {}
    for line in (src / "layers.txt").read_text(encoding="utf-8").splitlines():
        if line.strip() and not line.startswith("#"):
            folder, _, below = line.partition(":")
            table[folder.strip()] = set(below.split())
    return table


def violations(src, table):
    for folder in sorted(p.name for p in src.iterdir() if p.is_dir() and p.name not in table):
        yield f"src/{folder}: a folder src/layers.txt does not list"
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        relative = path.relative_to(src).as_posix()
        folder = relative.split("/")[0]
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            header = line.split('"')[1]
            if target == folder or target in table.get(folder, set()):
                continue
            yield f'{relative}:{number}: {folder} -> {target} ("{header}")'


def main():
    src = pathlib.Path(sys.argv[1])
    found = list(violations(src, read_table(src)))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
