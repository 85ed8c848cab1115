#!/usr/bin/env python3
"""Prints the table of a faults run: for each fault script, its layer, what
it does, and what caught it. Usage: summarize.py FAULTS_DIR RESULTS_DIR"""
import json
import pathlib
import sys

faults_dir = pathlib.Path(sys.argv[1])
results = pathlib.Path(sys.argv[2])


def load(name):
    p = results / (name + ".json")
    return json.loads(p.read_text()) if p.exists() else None


def grouped(funcs):
    """Test::f(a), Test::f(b) become `Test::f` (rows a, b)."""
    rows = {}
    for f in funcs:
        base, _, row = f.partition("(")
        rows.setdefault(base, []).append(row.rstrip(")"))
    out = []
    for base, names in rows.items():
        names = [n for n in names if n]
        if not names:
            out.append("`" + base + "`")
        elif len(names) <= 3:
            out.append("`" + base + "` (" + ", ".join(names) + ")")
        else:
            out.append("`" + base + "` (" + str(len(names)) + " rows)")
    return out


baseline = load("baseline")
print("| Fault | Layer | What it breaks | Caught by (failing test: functions) |")
print("|---|---|---|---|")
for script in sorted(faults_dir.glob("fault-*.py")):
    name = script.stem
    header = script.read_text().splitlines()[1].lstrip("# ")
    layer, _, what = header.partition(" | ")
    status = (results / (name + ".status")).read_text().strip() \
        if (results / (name + ".status")).exists() else "not run"
    if status == "not-applied":
        caught = "NOT APPLIED: the text to replace was not found exactly once"
    elif status == "build-failed":
        caught = "caught by the build (the faulty tree does not compile)"
    elif status != "ran":
        caught = status
    else:
        failing = load(name) or {}
        parts = []
        for test, info in sorted(failing.items()):
            if baseline and test in baseline and info["functions"] == baseline[test]["functions"]:
                continue  # fails the same way without the fault
            funcs = [f for f in info["functions"]
                     if not baseline or f not in baseline.get(test, {}).get("functions", [])]
            text = "`" + test + "`"
            if info["status"] != "Failed":
                text += " (" + info["status"] + ")"
            if funcs:
                text += ": " + ", ".join(grouped(funcs))
            parts.append(text)
        caught = "; ".join(parts) if parts else "**NOT CAUGHT by any test**"
    print("| " + name.replace("fault-", "") + " | " + layer + " | " + what.replace("|", "\\|")
          + " | " + caught + " |")
if baseline:
    print()
    print("Failing without any fault (baseline, not counted above): "
          + (", ".join("`" + t + "`" for t in sorted(baseline)) or "none") + ".")
