#!/usr/bin/env python3
"""Checks every #include of the tree against the layers: which module may include which,
and where the toolkit, OpenGL and the other system interfaces may be named, and that the
platform headers the modules above it reach name no toolkit header. Prints each offending
line as path:line: what, and exits 1 when there is one.

    check_includes.py [repository root]
"""
import os
import re
import sys

# What each folder's code may include, besides itself and the standard library.
MAY_USE = {
    "geometry": set(),
    "model": {"geometry"},
    "platform": set(),
    "res": {"platform"},
    "view": {"model", "platform"},
    "ui": {"view", "res", "model", "geometry", "platform"},
    "app": {"ui", "res", "platform"},
    "fuzz": {"geometry", "model", "platform"},
    "bench": {"geometry", "model", "platform", "res", "view", "ui", "app", "tests"},
    "tests": {"geometry", "model", "platform", "res", "view", "ui", "app", "tests"},
}

TOOLKIT = re.compile(r"^Q|^Qt")

# System interfaces by the folders (or single files) that may include them.
SYSTEM = [
    (TOOLKIT, "the toolkit", ("platform/", "tests/", "bench/")),
    (re.compile(r"^GL/"), "OpenGL", ("platform/gl.h",)),
    (re.compile(r"^EGL/"), "EGL", ("tests/support/",)),
    (re.compile(r"^X11/"), "X11", ("tests/", "bench/")),
    (re.compile(r"^iconv\.h$"), "iconv", ("platform/",)),
]

# The modules above the platform build without the toolkit's headers: no platform header
# that their files include, directly or through other headers, may include one.
ABOVE_PLATFORM = ("res", "view", "ui", "app")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE = re.compile(r"\.(cpp|h)$")
# Build trees and hidden folders at the top are not the project's sources.
SKIP_TOP = re.compile(r"^(build.*|\..*)$")


def module_of(path):
    return path.split("/", 1)[0]


def check_line(path, target, quoted):
    module = module_of(path)
    if quoted:
        first = target.split("/", 1)[0]
        if "/" not in target:
            return None  # beside the includer, in its own folder
        if first not in MAY_USE:
            return None  # generated or third-party roots are not layered here
        if first != module and first not in MAY_USE.get(module, set()):
            return f'{module}/ may not include "{target}"'
        return None
    for pattern, what, allowed in SYSTEM:
        if pattern.search(target) and not path.startswith(allowed):
            return f"<{target}>: {what} is included only in {', '.join(allowed)}"
    return None


def resolve(path, target, includes):
    """The file of the tree a quoted include names, or None."""
    if "/" not in target:
        target = os.path.normpath(os.path.join(os.path.dirname(path), target))
    return target if target in includes else None


def check_platform_headers(includes):
    """Platform headers reached from the modules above the platform that include the toolkit."""
    reached_from = {}
    pending = sorted(path for path in includes if module_of(path) in ABOVE_PLATFORM)
    while pending:
        path = pending.pop(0)
        for _, target, quoted in includes[path]:
            header = resolve(path, target, includes) if quoted else None
            if header is None or header in reached_from:
                continue
            reached_from[header] = reached_from.get(path, path)
            pending.append(header)
    failures = []
    for header in sorted(reached_from):
        if module_of(header) != "platform":
            continue
        for number, target, quoted in includes[header]:
            if not quoted and TOOLKIT.search(target):
                failures.append(f"{header}:{number}: <{target}>: the toolkit in a platform header "
                                f"reached from {reached_from[header]}")
    return failures


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else ".")
    failures = []
    checked = 0
    includes = {}  # path: [(line number, target, quoted)]
    for folder, dirs, files in os.walk(root):
        rel_folder = os.path.relpath(folder, root)
        if rel_folder == ".":
            dirs[:] = [d for d in dirs if not SKIP_TOP.match(d)]
        for name in files:
            rel = os.path.normpath(os.path.join(rel_folder, name))
            if not SOURCE.search(name) or module_of(rel) not in MAY_USE:
                continue
            includes[rel] = []
            with open(os.path.join(root, rel), encoding="utf-8") as source:
                for number, line in enumerate(source, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    checked += 1
                    quoted = match.group(1) == '"'
                    includes[rel].append((number, match.group(2), quoted))
                    problem = check_line(rel, match.group(2), quoted)
                    if problem:
                        failures.append(f"{rel}:{number}: {problem}")
    failures += check_platform_headers(includes)
    for failure in failures:
        print(failure)
    print(f"{checked} includes checked, {len(failures)} against the layers")
    return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
