#!/usr/bin/env python3
# setup | message text changed: the terms/rates "Please enter a valid ... !" message loses the space before "!"
"""Applies one deliberate fault to the Quotaro source tree named by the first
argument. Each (old, new) piece of text must occur exactly once in the file
before it is replaced; otherwise the script changes nothing and exits 1."""
import pathlib
import sys

FILE = 'src/setup/frmTermsSetup.cpp'
EDITS = [('QStringLiteral("Please enter a valid ") + one + QStringLiteral(" !")', 'QStringLiteral("Please enter a valid ") + one + QStringLiteral("!")')]


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: " + sys.argv[0] + " SOURCE_TREE")
    path = pathlib.Path(sys.argv[1]) / FILE
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    for old, new in EDITS:
        found = text.count(old)
        if found != 1:
            sys.exit(FILE + ": " + repr(old) + " found " + str(found) + " times, not once")
        text = text.replace(old, new)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)
    print("applied to " + str(path))


if __name__ == "__main__":
    main()
