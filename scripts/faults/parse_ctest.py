#!/usr/bin/env python3
"""Reads the log of one `ctest --output-on-failure` run and prints, as JSON,
the failing tests with their status and the Qt Test functions that failed in
each: {"test_store": {"status": "Failed", "functions": ["TestStore::f(row)"]}}."""
import json
import re
import sys

STATUS_LINE = re.compile(r"^\s*\d+/\d+ Test\s+#\d+: (\S+) ")
FAILED_LINE = re.compile(r"^\s*\d+ - (\S+) \((.*)\)\s*$")
FUNCTION = re.compile(r"^(?:FAIL!|QFATAL|XPASS)\s*: (\S+?\(.*?\)|\S+)")


def parse(lines):
    failed = {}
    functions = {}
    current = None
    in_summary = False
    for line in lines:
        line = line.rstrip("\n")
        if line.startswith("The following tests FAILED:"):
            in_summary = True
            continue
        if in_summary:
            m = FAILED_LINE.match(line)
            if m:
                failed[m.group(1)] = m.group(2)
            continue
        m = STATUS_LINE.match(line)
        if m:
            current = m.group(1)
            continue
        m = FUNCTION.match(line)
        if m and current:
            name = m.group(1)
            if name not in functions.setdefault(current, []):
                functions[current].append(name)
    return {t: {"status": s, "functions": functions.get(t, [])} for t, s in failed.items()}


if __name__ == "__main__":
    with open(sys.argv[1], encoding="utf-8", errors="replace") as f:
        print(json.dumps(parse(f), indent=1, sort_keys=True))
