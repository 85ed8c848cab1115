#!/usr/bin/env python3
# platform/gui | digit key filter lets letters through (letter-or-number test instead of the digit range)
from faultedit import apply

FILE = 'src/platform/gui/KeyFilters.cpp'
EDITS = [("code == 8 || (code >= '0' && code <= '9')", 'code == 8 || c.isLetterOrNumber()')]

apply(FILE, EDITS)
