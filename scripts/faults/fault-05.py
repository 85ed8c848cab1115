#!/usr/bin/env python3
# printing | PrintWrapped off by one: tab stops fall at 9, 19, 29... widths of "0" instead of 10, 20, 30...
from faultedit import apply

FILE = 'src/printing/PrintPage.cpp'
EDITS = [('stop + 10 - (stop % 10)', 'stop + 9 - (stop % 10)')]

apply(FILE, EDITS)
