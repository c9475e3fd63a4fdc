#!/usr/bin/env python3
"""Checks the direction of the includes under src/.

The rules are the lines of src/CMakeLists.txt that say which folder may include which
("catalogue may include: numbers") and which folders link no toolkit ("without Qt: ..."); the
prose around them there is the picture of the whole. A folder may include only the folders its
line names, and no two modules may include each other, directly or round a longer loop. A module
is a header with the sources that implement it (frmConvert.h, frmConvert.cpp,
frmConvert_menus.cpp, ...). Prints every include that breaks a rule and exits 1; prints a one-line
summary and exits 0 when there is none. It also checks that the README's Layout section names
every folder under src/ and tests/.
"""
import pathlib
import re
import sys

RULE = re.compile(r"^#\s+(\w+) may include:(.*)$", re.MULTILINE)
WITHOUT_QT = re.compile(r"^#\s+without Qt:(.*)$", re.MULTILINE)


def read_rules(src: pathlib.Path):
    """({folder: folders it may include}, folders without the toolkit) from src/CMakeLists.txt."""
    text = (src / "CMakeLists.txt").read_text(encoding="utf-8") if (src / "CMakeLists.txt").exists() else ""
    allowed = {folder: set(names.split()) for folder, names in RULE.findall(text)}
    without = WITHOUT_QT.search(text)
    return allowed, set(without.group(1).split()) if without else set()


INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
# The toolkit's headers, which the folders "without Qt" never include (the program answers the
# command line without loading the toolkit).
TOOLKIT = re.compile(r'^\s*#\s*include\s+<(Q[A-Za-z]*|Qt[A-Za-z]*/[^>]*)>', re.MULTILINE)


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
    allowed, without_toolkit = read_rules(src)
    if not allowed:
        return ["src/CMakeLists.txt states no include rules ('FOLDER may include: ...')"], 0
    problems = []
    graph = {}
    files = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp"))
    for path in files:
        relative = path.relative_to(src)
        folder = relative.parts[0]
        if folder not in allowed:
            problems.append(f"{relative}: folder '{folder}' has no place in the include direction")
            continue
        source = module_of(path, src)
        text = path.read_text(encoding="utf-8")
        if folder in without_toolkit:
            for header in TOOLKIT.findall(text):
                problems.append(f"{relative}: includes <{header}> ({folder} links no toolkit)")
        for included in INCLUDE.findall(text):
            target = src / included
            if not target.exists():
                continue
            target_folder = pathlib.PurePath(included).parts[0]
            if target_folder != folder and target_folder not in allowed[folder]:
                problems.append(f"{relative}: includes {included} ({folder} may not use {target_folder})")
            destination = module_of(target, src)
            if destination != source:
                graph.setdefault(source, set()).add(destination)
    for component in strongly_connected(graph):
        problems.append("modules include each other: " + " <-> ".join(component))
    return problems, len(files)


def missing_from_layout(src: pathlib.Path):
    """The folders under src/ and tests/ that the README's Layout section does not name as
    `src/NAME/` or `tests/NAME/` (nothing when there is no README beside src/)."""
    readme = src.parent / "README.md"
    if not readme.exists():
        return []
    text = readme.read_text(encoding="utf-8")
    start = text.find("## Layout")
    end = text.find("\n## ", start + 1)
    layout = text[start:end if end > 0 else len(text)] if start >= 0 else ""
    problems = []
    for top in (src, src.parent / "tests"):
        for folder in sorted(p for p in top.iterdir() if p.is_dir()) if top.is_dir() else []:
            name = f"{top.name}/{folder.name}/"
            if f"`{name}`" not in layout:
                problems.append(f"README.md: the Layout section does not name `{name}`")
    return problems


def main() -> int:
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src").resolve()
    problems, count = check(src)
    problems += missing_from_layout(src)
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"includes of {count} files under {src.name}/ follow the folder direction; no module cycles")
    return 0


if __name__ == "__main__":
    sys.exit(main())
