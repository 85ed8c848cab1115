#!/usr/bin/env python3
# store | store: CR dropped from CR LF, value files (printer settings, terms, rates) end in LF only
"""Applies one deliberate fault to the Quotaro source tree named by the first
argument. Each (old, new) piece of text must occur exactly once in the file
before it is replaced; otherwise the script changes nothing and exits 1."""
import pathlib
import sys

FILE = 'src/store/Store.cpp'
EDITS = [('TextCodec::encode(field + CrLf)', "TextCodec::encode(field + QLatin1Char('\\n'))")]


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
