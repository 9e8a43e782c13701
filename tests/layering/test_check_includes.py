#!/usr/bin/env python3
"""The include checker on small trees of its own: it names the toolkit include of a platform
header that a module above the platform reaches, through another header too, and leaves
alone the platform headers only the platform itself includes.

    test_check_includes.py <path of check_includes.py>
"""
import os
import subprocess
import sys
import tempfile

TREE = {
    "view/Control.h": '#include "platform/Window.h"\n',
    "view/Control.cpp": '#include "view/Control.h"\n',
    "platform/Window.h": '#pragma once\n#include "platform/Types.h"\n',
    "platform/Types.h": "#pragma once\n\n#include <QMetaObject>\n",
    "platform/Private.h": "#pragma once\n#include <QWidget>\n",
    "platform/Window.cpp": '#include "platform/Private.h"\n#include "platform/Window.h"\n',
}


def run(checker, tree):
    with tempfile.TemporaryDirectory() as root:
        for path, text in tree.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as f:
                f.write(text)
        done = subprocess.run([sys.executable, checker, root], capture_output=True, text=True)
        return done.returncode, done.stdout.splitlines()


def main():
    checker = sys.argv[1]
    failed = []
    code, lines = run(checker, TREE)
    if code != 1 or not any(line.startswith("platform/Types.h:3: <QMetaObject>") for line in lines):
        failed.append(f"a toolkit include reached through a header: {code} {lines}")
    if any(line.startswith("platform/Private.h") for line in lines):
        failed.append(f"a header only the platform includes was named: {lines}")
    clean = dict(TREE)
    clean["platform/Types.h"] = "#pragma once\nclass QMetaObject;\n"
    code, lines = run(checker, clean)
    if code != 0:
        failed.append(f"a tree without such an include failed: {code} {lines}")
    for failure in failed:
        print(failure)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
