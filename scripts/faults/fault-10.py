#!/usr/bin/env python3
# platform (files) | the no-replace rename overwrites: renameat2 is called without RENAME_NOREPLACE, so a new quote replaces a taken name
"""Applies one deliberate fault to the Quotaro source tree named by the first
argument. The call to replace must occur exactly once in the file; otherwise the script changes nothing and exits 1."""
import pathlib
import re
import sys

FILE = 'src/platform/QtFileSystem.cpp'
# The call is matched with any line break and indentation before "== 0", so
# that the result is formatted as the tree's format check wants.
PATTERN = re.compile(r"to\.constData\(\), RENAME_NOREPLACE\)\s*== 0\)")
NEW = "to.constData(), 0) == 0)"


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: " + sys.argv[0] + " SOURCE_TREE")
    path = pathlib.Path(sys.argv[1]) / FILE
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    found = len(PATTERN.findall(text))
    if found != 1:
        sys.exit(FILE + ": " + PATTERN.pattern + " found " + str(found) + " times, not once")
    text = PATTERN.sub(NEW, text)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)
    print("applied to " + str(path))


if __name__ == "__main__":
    main()
