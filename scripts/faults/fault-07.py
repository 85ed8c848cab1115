#!/usr/bin/env python3
# quote (calculation) | rounding slip: the weekly equivalent is worked from the monthly rental rounded to cents
"""Applies one deliberate fault to the Quotaro source tree named by the first
argument. Each (old, new) piece of text must occur exactly once in the file
before it is replaced; otherwise the script changes nothing and exits 1."""
import pathlib
import sys

FILE = 'src/quote/Calculation.cpp'
EDITS = [('a.weekly = single(double(a.monthly) * 12.0 / 52.0);', 'a.weekly = single(std::round(double(a.monthly) * 100.0) / 100.0 * 12.0 / 52.0);')]


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
