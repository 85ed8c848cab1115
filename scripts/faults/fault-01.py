#!/usr/bin/env python3
# lists | re-sort: flipped comparison (< to >) where equal numbers are split around the last smaller one, so items with one number come out in the wrong order
from faultedit import apply

FILE = 'src/lists/NumericReSort.cpp'
EDITS = [('sorted[split].second < lastSmaller', 'sorted[split].second > lastSmaller')]

apply(FILE, EDITS)
