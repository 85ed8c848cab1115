#!/usr/bin/env python3
# setup | message text changed: the terms/rates "Please enter a valid ... !" message loses the space before "!"
from faultedit import apply

FILE = 'src/setup/frmTermsSetup.cpp'
EDITS = [('QStringLiteral("Please enter a valid ") + one + QStringLiteral(" !")', 'QStringLiteral("Please enter a valid ") + one + QStringLiteral("!")')]

apply(FILE, EDITS)
