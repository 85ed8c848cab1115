#!/usr/bin/env python3
# store | store: CR dropped from CR LF, value files (printer settings, terms, rates) end in LF only
from faultedit import apply

FILE = 'src/store/Store.cpp'
EDITS = [('TextCodec::encode(field + CrLf)', "TextCodec::encode(field + QLatin1Char('\\n'))")]

apply(FILE, EDITS)
