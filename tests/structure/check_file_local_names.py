#!/usr/bin/env python3
"""Checks that no two source files of one target define the same file-local name.

A fast build compiles each target's sources in batches, one translation unit per batch, so a name
in one file's anonymous namespace (or a static or const name at namespace scope) meets the same
name of every other file of its batch. Two such definitions compile only while their signatures
happen to differ, and which files share a batch changes as files are added; the check therefore
holds every file of a target to names of its own, whatever the batches are today.

Reads the targets and their sources from the build's compile_commands.json (a batch file stands
for the sources it includes). Prints every name defined in more than one file of a target and exits
1; prints a one-line summary and exits 0 when there is none.

    check_file_local_names.py BUILD_DIR SOURCE_DIR
"""
import json
import pathlib
import re
import sys
from collections import defaultdict

TARGET = re.compile(r"CMakeFiles/([^/\s]+)\.dir/")
BATCH_INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
TOKEN = re.compile(r"[A-Za-z_]\w*|::|->|\d[\w.']*|\S")
TYPE_KEYWORDS = {"struct", "class", "union", "enum"}
# Words that end a name's search: a name is the last identifier before one of these.
DECLARATOR_END = {"(", "=", "{", "[", ";", ":", ","}


def strip_code(text: str) -> str:
    """The text without comments, string and character literals and preprocessor lines."""
    text = re.sub(r'R"([^(]*)\((?:.|\n)*?\)\1"', '""', text)
    text = re.sub(r"//[^\n]*|/\*(?:.|\n)*?\*/|\"(?:\\.|[^\"\\\n])*\"|'(?:\\.|[^'\\\n])*'",
                  lambda m: '""' if m.group(0)[0] in "\"'" else " ", text)
    return re.sub(r"^\s*#(?:[^\n]*\\\n)*[^\n]*", " ", text, flags=re.MULTILINE)


def skip_balanced(tokens, i, opening, closing):
    """Index just past the bracket that closes tokens[i] (an opening bracket)."""
    depth = 0
    while i < len(tokens):
        if tokens[i] == opening:
            depth += 1
        elif tokens[i] == closing:
            depth -= 1
            if depth == 0:
                return i + 1
        i += 1
    return i


def declared_name(statement):
    """The name a namespace-scope declaration defines, or None (a qualified or unnamed one)."""
    while statement and statement[0] == "template" and len(statement) > 1 and statement[1] == "<":
        depth, i = 0, 1
        while i < len(statement):
            depth += {"<": 1, ">": -1}.get(statement[i], 0)
            i += 1
            if depth == 0:
                break
        statement = statement[i:]
    if not statement or statement[0] in ("static_assert", "extern", "friend"):
        return None
    if statement[0] == "using":
        return statement[1] if len(statement) > 2 and statement[2] == "=" else None
    if statement[0] == "typedef":
        return statement[-1] if re.match(r"[A-Za-z_]", statement[-1]) else None
    words = [w for w in statement if w not in ("static", "inline", "constexpr", "const", "constinit")]
    if words and words[0] in TYPE_KEYWORDS:
        rest = [w for w in words[1:] if w not in ("class", "struct")]
        return rest[0] if rest and re.match(r"[A-Za-z_]", rest[0]) else None
    angle = 0
    for i, word in enumerate(statement):
        if word == "<":
            angle += 1
        elif word == ">":
            angle = max(0, angle - 1)
        elif angle == 0 and word in DECLARATOR_END:
            if i >= 2 and statement[i - 2] == "operator":
                return "operator" + statement[i - 1]
            if i >= 1 and statement[i - 1] == "operator" and word == "(":
                return "operator()"
            if i == 0 or not re.match(r"[A-Za-z_]", statement[i - 1]):
                return None
            if i >= 2 and statement[i - 2] == "::":
                return None  # a member or a name of another namespace, defined here
            return statement[i - 1]
    return None


def is_function(statement) -> bool:
    """Whether a statement that meets '{' is a function's head (its body follows)."""
    if not statement or statement[0] in TYPE_KEYWORDS or "=" in statement:
        return False
    return "(" in statement


def file_local_names(text: str):
    """The file-local names a source file defines at namespace scope, qualified by namespace."""
    tokens = TOKEN.findall(strip_code(text))
    names = set()
    scopes = []  # (namespace name, whether anonymous)
    statement = []
    i = 0
    while i < len(tokens):
        word = tokens[i]
        if word == "}":
            statement = []
            if scopes:
                scopes.pop()
            i += 1
            continue
        if word == ";":
            record(statement, scopes, names)
            statement = []
            i += 1
            continue
        if word == "(" and len(statement) == 1 and re.fullmatch(r"[A-Z][A-Z0-9_]+", statement[0]):
            # A macro at namespace scope, without its ';' (and the body it may open, as a test's).
            i = skip_balanced(tokens, i, "(", ")")
            if i < len(tokens) and tokens[i] == "{":
                i = skip_balanced(tokens, i, "{", "}")
            statement = []
            continue
        if word == "{":
            if statement and statement[0] == "namespace" and (len(statement) == 1 or len(statement) == 2):
                scopes.append((statement[1] if len(statement) == 2 else "", len(statement) == 1))
                statement = []
                i += 1
                continue
            if statement[:1] == ["extern"] and len(statement) == 2:
                statement = []
                scopes.append(("", False))
                i += 1
                continue
            function = is_function(statement)
            record(statement, scopes, names)
            i = skip_balanced(tokens, i, "{", "}")
            if function:
                statement = []
            else:
                statement.append("{}")
            continue
        statement.append(word)
        i += 1
    return names


def record(statement, scopes, names):
    if not statement:
        return
    anonymous = any(anon for _, anon in scopes)
    if not anonymous:
        # At a named namespace's scope: static names, and const variables (not functions).
        if "static" not in statement and not ({"const", "constexpr"} & set(statement) and "(" not in statement):
            return
        if "inline" in statement or "extern" in statement:
            return
    name = declared_name(statement)
    if name:
        names.add("::".join([n for n, _ in scopes if n] + [name]))


def targets_of(build: pathlib.Path, source: pathlib.Path):
    """{target: set of project source files} from the build's compile commands."""
    targets = defaultdict(set)
    commands = json.loads((build / "compile_commands.json").read_text(encoding="utf-8"))
    for entry in commands:
        output = entry.get("output")
        if not output:
            command = entry.get("command") or " ".join(entry.get("arguments", []))
            output = re.search(r"(?:^|\s)-o\s*(\S+)", command).group(1)
        match = TARGET.search(output)
        if not match:
            continue
        file = pathlib.Path(entry["directory"], entry["file"]).resolve()
        files = [file]
        if "/Unity/" in str(file) or file.suffix == ".cxx":
            files = [pathlib.Path(f).resolve() for f in BATCH_INCLUDE.findall(file.read_text(encoding="utf-8"))]
        for f in files:
            if f.suffix == ".cpp" and f.is_relative_to(source) and not f.is_relative_to(build):
                targets[match.group(1).removesuffix("_asan")].add(f)
    return targets


def main() -> int:
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1].strip())
        return 2
    build = pathlib.Path(sys.argv[1]).resolve()
    source = pathlib.Path(sys.argv[2]).resolve()
    problems = []
    targets = targets_of(build, source)
    names_cache = {}
    for target, files in sorted(targets.items()):
        owners = defaultdict(list)
        for f in sorted(files):
            if f not in names_cache:
                names_cache[f] = file_local_names(f.read_text(encoding="utf-8"))
            for name in names_cache[f]:
                owners[name].append(f.relative_to(source))
        for name, where in sorted(owners.items()):
            if len(where) > 1:
                problems.append(f"{target}: file-local '{name}' is defined in {', '.join(map(str, where))}")
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"file-local names of {len(names_cache)} files in {len(targets)} targets are unique within their target")
    return 0


if __name__ == "__main__":
    sys.exit(main())
