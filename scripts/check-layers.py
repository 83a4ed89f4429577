#!/usr/bin/env python3
"""Checks that the folders of src/ include each other in one direction only.

Each folder of src/ is a layer of its own, built as a library of its own. A file may include
its own folder and the folders below it in the table; an include of a higher folder, or of a
folder the table does not know, fails the check, and so does a ring of folders that include
each other. Every quoted or angled include that names a file under src/ is looked at, also one
written with "../".

Usage: scripts/check-layers.py [--table]
  --table  also prints how often each folder includes each other folder
Exit status: 0 when every include keeps to the table, 1 otherwise.
"""

import os
import re
import sys

# The folders each folder may include besides itself, from the bottom up.
CORE = {"base", "data", "search", "config"}
ALLOWED = {
    "base": set(),
    "data": {"base"},
    "search": {"base"},
    "config": {"base"},
    "desktop": CORE,
    "ui": CORE | {"desktop"},
    "app": CORE | {"desktop", "ui"},
    "query": CORE,
    "import": CORE,
}
# Headers the build generates, by the folder that owns them.
GENERATED = {"version.h": "base"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".in")


def folder_of(src, path):
    """The src/ folder a path under src/ lies in, or None."""
    relative = os.path.relpath(os.path.normpath(path), src)
    if relative.startswith(".."):
        return None
    return relative.split(os.sep)[0]


def included_folder(src, including_file, delimiter, name):
    """The src/ folder an include names, or None for a system or Qt header."""
    first = name.split("/")[0]
    if first in ALLOWED and os.path.exists(os.path.join(src, name)):
        return first
    if delimiter == '"':
        beside = os.path.join(os.path.dirname(including_file), name)
        if os.path.exists(beside):
            return folder_of(src, beside)
        if name in GENERATED:
            return GENERATED[name]
    return None


def find_ring(edges):
    """A ring in the folder graph as a list of folders, or None."""
    state = {}
    path = []

    def visit(node):
        state[node] = "open"
        path.append(node)
        for nxt in sorted(edges.get(node, ())):
            if state.get(nxt) == "open":
                return path[path.index(nxt):] + [nxt]
            if nxt not in state:
                ring = visit(nxt)
                if ring:
                    return ring
        path.pop()
        state[node] = "done"
        return None

    for node in sorted(edges):
        if node not in state:
            ring = visit(node)
            if ring:
                return ring
    return None


def main():
    src = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    src = os.path.normpath(src)
    problems = []
    counts = {}
    for root, _dirs, files in os.walk(src):
        for file_name in sorted(files):
            if not file_name.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.join(root, file_name)
            shown = os.path.relpath(path, os.path.dirname(src))
            here = folder_of(src, path)
            if here not in ALLOWED:
                problems.append(f"{shown}: the folder {here}/ is not in the table of layers")
                continue
            with open(path, encoding="utf-8") as source:
                for number, line in enumerate(source, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    there = included_folder(src, path, match.group(1), match.group(2))
                    if there is None or there == here:
                        continue
                    counts[(here, there)] = counts.get((here, there), 0) + 1
                    if there not in ALLOWED[here]:
                        problems.append(f"{shown}:{number}: {here}/ may not include {there}/ "
                                        f"({match.group(2)})")

    edges = {}
    for here, there in counts:
        edges.setdefault(here, set()).add(there)
    ring = find_ring(edges)
    if ring:
        problems.append("the folders include each other in a ring: " + " -> ".join(ring))

    if "--table" in sys.argv[1:]:
        for (here, there), count in sorted(counts.items()):
            print(f"{here} -> {there}: {count}")
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print("Each folder of src/ may include only the layers below it (scripts/check-layers.py).",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
