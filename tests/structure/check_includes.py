#!/usr/bin/env python3
"""Checks the direction of the includes under src/.

A folder may include only the folders below it:

    numbers  <-  catalogue  <-  shared  <-  calc, storage, reference  <-  app  <-  launcher
                             storage  <-  cli  <-  launcher

The command line (cli) never includes shared/, where the window program's process-wide state
lives, and the launcher includes no window folder.

and no two modules may include each other, directly or round a longer loop. A module is a header
with the sources that implement it (frmConvert.h, frmConvert.cpp, frmConvert_menus.cpp, ...).
Prints every include that breaks a rule and exits 1; prints a one-line summary and exits 0 when
there is none.
"""
import pathlib
import re
import sys

ALLOWED = {
    "numbers": set(),
    "catalogue": {"numbers"},
    "shared": {"numbers", "catalogue"},
    "calc": {"numbers", "catalogue", "shared"},
    "storage": {"numbers", "catalogue", "shared"},
    "reference": {"numbers", "catalogue", "shared"},
    "app": {"numbers", "catalogue", "shared", "calc", "storage", "reference"},
    "cli": {"numbers", "catalogue", "storage"},
    "launcher": {"numbers", "catalogue", "storage", "cli"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
# The toolkit's headers; the folders below never include them (the program answers the command
# line without loading the toolkit).
TOOLKIT = re.compile(r'^\s*#\s*include\s+<(Q[A-Za-z]*|Qt[A-Za-z]*/[^>]*)>', re.MULTILINE)
WITHOUT_TOOLKIT = {"numbers", "catalogue", "cli", "launcher"}


def module_of(path: pathlib.Path, src: pathlib.Path) -> str:
    """folder/stem of the header a file belongs to: its own, or the longest stem_ prefix with one."""
    folder = path.parent
    stem = path.stem
    candidate = stem
    while True:
        if (folder / (candidate + ".h")).exists():
            return str((folder / candidate).relative_to(src))
        if "_" not in candidate:
            return str((folder / stem).relative_to(src))
        candidate = candidate.rsplit("_", 1)[0]


def strongly_connected(graph):
    """Tarjan's algorithm; returns the components with more than one module."""
    index, low, on_stack, stack, result = {}, {}, set(), [], []
    counter = [0]

    def visit(node):
        index[node] = low[node] = counter[0]
        counter[0] += 1
        stack.append(node)
        on_stack.add(node)
        for target in graph.get(node, ()):
            if target not in index:
                visit(target)
                low[node] = min(low[node], low[target])
            elif target in on_stack:
                low[node] = min(low[node], index[target])
        if low[node] == index[node]:
            component = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                component.append(member)
                if member == node:
                    break
            if len(component) > 1:
                result.append(sorted(component))

    sys.setrecursionlimit(10000)
    for node in sorted(graph):
        if node not in index:
            visit(node)
    return result


def check(src: pathlib.Path):
    problems = []
    graph = {}
    files = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp"))
    for path in files:
        relative = path.relative_to(src)
        folder = relative.parts[0]
        if folder not in ALLOWED:
            problems.append(f"{relative}: folder '{folder}' has no place in the include direction")
            continue
        source = module_of(path, src)
        text = path.read_text(encoding="utf-8")
        if folder in WITHOUT_TOOLKIT:
            for header in TOOLKIT.findall(text):
                problems.append(f"{relative}: includes <{header}> ({folder} links no toolkit)")
        for included in INCLUDE.findall(text):
            target = src / included
            if not target.exists():
                continue
            target_folder = pathlib.PurePath(included).parts[0]
            if target_folder != folder and target_folder not in ALLOWED[folder]:
                problems.append(f"{relative}: includes {included} ({folder} may not use {target_folder})")
            destination = module_of(target, src)
            if destination != source:
                graph.setdefault(source, set()).add(destination)
    for component in strongly_connected(graph):
        problems.append("modules include each other: " + " <-> ".join(component))
    return problems, len(files)


def main() -> int:
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src").resolve()
    problems, count = check(src)
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"includes of {count} files under {src.name}/ follow the folder direction; no module cycles")
    return 0


if __name__ == "__main__":
    sys.exit(main())
