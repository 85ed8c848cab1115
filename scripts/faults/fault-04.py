#!/usr/bin/env python3
# store (settings files) | printer settings rollback skips a step: after a failed write the first file written (the printer) is not put back
from faultedit import apply

FILE = 'src/store/SettingsFiles.cpp'
EDITS = [('for (const Previous &previous : written)', 'for (const Previous &previous : written.mid(1))')]

apply(FILE, EDITS)
