#!/usr/bin/env python3
# quote (calculation) | rounding slip: the weekly equivalent is worked from the monthly rental rounded to cents
from faultedit import apply

FILE = 'src/quote/Calculation.cpp'
EDITS = [('a.weekly = single(double(a.monthly) * 12.0 / 52.0);', 'a.weekly = single(std::round(double(a.monthly) * 100.0) / 100.0 * 12.0 / 52.0);')]

apply(FILE, EDITS)
