#!/usr/bin/env python3
# platform (files) | the no-replace rename overwrites: renameat2 is called without RENAME_NOREPLACE, so a new quote replaces a taken name
import re

from faultedit import apply

FILE = 'src/platform/QtFileSystem.cpp'
# The call is matched with any line break and indentation before "== 0", so
# that the result is formatted as the tree's format check wants.
PATTERN = re.compile(r"to\.constData\(\), RENAME_NOREPLACE\)\s*== 0\)")
NEW = "to.constData(), 0) == 0)"

apply(FILE, [(PATTERN, NEW)])
