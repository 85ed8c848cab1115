#!/usr/bin/env python3
"""Small faults drawn at random from C++ sources, for mutation.sh.

  mutants.py list  ROOT SAMPLE SEED FILE...   prints the sampled mutants as
                                              JSON lines (id, file, line,
                                              column, operator, old, new)
  mutants.py apply ROOT JSON                  applies one printed mutant

Each mutant changes one token on one line, the way a slip of the keyboard
or of the mind would: a comparison flipped or loosened, && for ||, true for
false, a whole number moved by one, a negation dropped, an arithmetic
operator swapped, a statement or a return value replaced. Comments, string
and character literals, preprocessor lines and the program's exact message
texts are left alone (a changed message is a fault the suite's message
checks are built for, and there are thousands of them)."""
import json
import pathlib
import random
import re
import sys

# (name, pattern, replacements): the pattern is matched in a line whose
# comments and literals are blanked out, the replacement applied to the
# real line at the same place.
OPERATORS = [
    ("rel", re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)"),
     {"<": ["<=", ">="], "<=": ["<", ">"], ">": [">=", "<="], ">=": [">", "<"],
      "==": ["!="], "!=": ["=="]}),
    ("logic", re.compile(r"(?<=\s)(&&|\|\|)(?=\s)"), {"&&": ["||"], "||": ["&&"]}),
    ("bool", re.compile(r"\b(true|false)\b"), {"true": ["false"], "false": ["true"]}),
    ("arith", re.compile(r"(?<=\s)([-+*/])(?=\s)"),
     {"+": ["-"], "-": ["+"], "*": ["/"], "/": ["*"]}),
    ("incdec", re.compile(r"(\+\+|--)"), {"++": ["--"], "--": ["++"]}),
    ("compound", re.compile(r"(?<=\s)(\+=|-=)(?=\s)"), {"+=": ["-="], "-=": ["+="]}),
    ("not", re.compile(r"(?<![\w)\]!])(!)(?=[\w(*])"), {"!": [""]}),
    ("int", re.compile(r"(?<![\w.])(\d+)(?![\w.])"), None),
]

SKIP_LINE = re.compile(r"^\s*(#|//|\*|/\*)")
STATEMENT = re.compile(r"^(\s*)((?:m_|ui->|\w+(?:\.|->))[\w.>-]*\s*(?:\(.*\)|=[^=].*));\s*$")


def blank(text):
    """The text with comments and string/char literals replaced by blanks of
    the same length, so positions found in it are positions in the text."""
    out = []
    i = 0
    n = len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not text[i - 1].isalnum()):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            end = text.find(")" + (m.group(1) if m else "") + '"', i)
            j = n if end < 0 else end + len(m.group(1) if m else "") + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            # An unclosed literal ends at its line's end: the line break
            # stays, or every line after it would be counted one too few.
            j = min(j + 1, n) if j < n and text[j] == c else min(j, n)
            # A quote inside a number (1'000) is a digit separator; one after
            # a prefix (u'x', L'x') opens a literal.
            t = i
            while t > 0 and (text[t - 1].isalnum() or text[t - 1] == "_"):
                t -= 1
            if c == "'" and t < i and text[t].isdigit():
                out.append(c)
                i += 1
                continue
            out.append(" " * (j - i))
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def mutants_of(root, rel):
    text = (root / rel).read_text(encoding="utf-8")
    lines = text.split("\n")
    blanked = blank(text).split("\n")
    found = []
    for number, (line, code) in enumerate(zip(lines, blanked), start=1):
        if SKIP_LINE.match(line) or not code.strip():
            continue
        if re.search(r"\b(static_assert|Q_OBJECT|template|#include)\b", code):
            continue
        for name, pattern, table in OPERATORS:
            for m in pattern.finditer(code):
                old = m.group(1)
                if name == "int":
                    value = int(old)
                    news = [str(value + 1)] + ([str(value - 1)] if value > 0 else [])
                else:
                    news = table[old]
                for new in news:
                    found.append((rel, number, m.start(1), name, old, new))
        m = STATEMENT.match(code)
        if m and not re.search(r"\b(return|auto|const|if|for|while|else)\b", code):
            found.append((rel, number, len(m.group(1)), "stmt", line.strip(), ";"))
    return found


def main():
    if len(sys.argv) >= 2 and sys.argv[1] == "list":
        root = pathlib.Path(sys.argv[2])
        sample, seed = int(sys.argv[3]), int(sys.argv[4])
        every = []
        for rel in sys.argv[5:]:
            every.extend(mutants_of(root, rel))
        rng = random.Random(seed)
        chosen = rng.sample(every, min(sample, len(every)))
        chosen.sort()
        print("# %d mutants in %d files, %d sampled with seed %d"
              % (len(every), len(sys.argv) - 5, len(chosen), seed), file=sys.stderr)
        for i, (rel, line, col, name, old, new) in enumerate(chosen, start=1):
            print(json.dumps({"id": i, "file": rel, "line": line, "column": col,
                              "operator": name, "old": old, "new": new}))
    elif len(sys.argv) == 4 and sys.argv[1] == "apply":
        root = pathlib.Path(sys.argv[2])
        m = json.loads(sys.argv[3])
        path = root / m["file"]
        lines = path.read_text(encoding="utf-8").split("\n")
        line = lines[m["line"] - 1]
        col = m["column"]
        if m["operator"] == "stmt":
            lines[m["line"] - 1] = line[:col] + "; // " + line[col:]
        else:
            if line[col:col + len(m["old"])] != m["old"]:
                sys.exit("mutant %d no longer matches %s:%d" % (m["id"], m["file"], m["line"]))
            lines[m["line"] - 1] = line[:col] + m["new"] + line[col + len(m["old"]):]
        path.write_text("\n".join(lines), encoding="utf-8")
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
