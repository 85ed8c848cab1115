"""The one step every fault script takes: in FILE of the source tree named on
the command line, each (old, new) edit, where old is a text or a compiled
pattern, must match exactly once before it is replaced; otherwise nothing is
changed and the script exits 1."""
import pathlib
import re
import sys


def apply(file, edits):
    if len(sys.argv) != 2:
        sys.exit("usage: " + sys.argv[0] + " SOURCE_TREE")
    path = pathlib.Path(sys.argv[1]) / file
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    for old, new in edits:
        pattern = old if isinstance(old, re.Pattern) else re.compile(re.escape(old))
        found = len(pattern.findall(text))
        if found != 1:
            shown = old.pattern if isinstance(old, re.Pattern) else old
            sys.exit(file + ": " + repr(shown) + " found " + str(found) + " times, not once")
        text = pattern.sub(lambda _: new, text)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)
    print("applied to " + str(path))
