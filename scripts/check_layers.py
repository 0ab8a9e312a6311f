#!/usr/bin/env python3
"""Checks that the source folders' includes form a stack and no cycle.

The layers, lowest first: platform/mfc and platform/qt (neither includes the other) and the resource
ids; unpack; the toolkit's folders; the launcher app; the gallery. A folder includes only from its own layer or
below. Inside the toolkit, toolkit/dialogs sits on top of the others (nothing else in the toolkit
includes it), and the folders' includes form no cycle. Tests, benchmarks and the demo viewer may
include anything. Prints every offending include and exits with 1 when there is one.

Usage: check_layers.py [source root]
"""
import os
import re
import sys

LEVELS = {"platform": 0, "resources": 0, "unpack": 1, "toolkit": 2, "app": 3, "gallery": 4}
TOP_OF_TOOLKIT = "toolkit/dialogs"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def folder_of(path):
    """The folder a repository path belongs to: toolkit/<x> and platform/<x>, else its top folder."""
    parts = path.split("/")
    if parts[0] in ("toolkit", "platform") and len(parts) > 2:
        return "/".join(parts[:2])
    return parts[0]


def level_of(folder):
    return LEVELS.get(folder.split("/")[0])


def collect(root):
    """(folder, file, line, included folder) for every include of a repository file."""
    edges = []
    for top in LEVELS:
        for dirpath, _, files in os.walk(os.path.join(root, top)):
            for name in files:
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.relpath(os.path.join(dirpath, name), root).replace(os.sep, "/")
                with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
                    for number, text in enumerate(f, 1):
                        m = INCLUDE.match(text)
                        if not m or not os.path.isfile(os.path.join(root, m.group(1))):
                            continue  # a system header, or one beside the file (same folder)
                        edges.append((folder_of(path), path, number, folder_of(m.group(1))))
    return edges


def cycles(graph):
    """The groups of folders that include each other, directly or through others."""
    def reach(start):
        seen, todo = set(), [start]
        while todo:
            for nxt in graph.get(todo.pop(), ()):
                if nxt not in seen:
                    seen.add(nxt)
                    todo.append(nxt)
        return seen

    reachable = {node: reach(node) for node in graph}
    groups = []
    for node in sorted(graph):
        group = sorted(n for n in reachable[node] if node in reachable.get(n, ()))
        if group and group not in groups:
            groups.append(group)
    return groups


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    problems = []
    toolkit_graph = {}
    for folder, path, number, target in collect(root):
        if target == folder:
            continue
        where = f"{path}:{number}: {folder} includes {target}"
        target_level = level_of(target)
        if target_level is None:
            problems.append(f"{where} (not a layer a program's code may use)")
        elif target_level > level_of(folder):
            problems.append(f"{where} (a higher layer)")
        elif folder.startswith("platform/") and target.startswith("platform/"):
            problems.append(f"{where} (the platform layers are independent)")
        elif folder.startswith("toolkit/") and target == TOP_OF_TOOLKIT:
            problems.append(f"{where} (the dialogs sit on top of the toolkit)")
        if folder.startswith("toolkit/") and target.startswith("toolkit/"):
            toolkit_graph.setdefault(folder, set()).add(target)
    for group in cycles(toolkit_graph):
        problems.append("toolkit folders that include each other: " + ", ".join(group))
    for line in problems:
        print(line)
    if not problems:
        print("includes form a stack: " + ", ".join(sorted(LEVELS, key=LEVELS.get)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
