#!/usr/bin/env python3
# quote | quote layout: a wrong tab, the weekly equivalent line gets two tabs (saved file and printed page)
from faultedit import apply

FILE = 'src/quote/QuoteLayout.cpp'
EDITS = [('QStringLiteral("Weekly equivalent: ") + tab + texts.weekly', 'QStringLiteral("Weekly equivalent: ") + tab + tab + texts.weekly')]

apply(FILE, EDITS)
