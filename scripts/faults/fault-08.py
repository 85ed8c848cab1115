#!/usr/bin/env python3
# savedquotes (.ui form) | wrong access key: Delete quote becomes D&elete, Alt+E now clashes with &Edit quote and Alt+D does nothing
from faultedit import apply

FILE = 'src/savedquotes/frmOpenSavedQuotes.ui'
EDITS = [('<string>&amp;Delete quote</string>', '<string>D&amp;elete quote</string>')]

apply(FILE, EDITS)
