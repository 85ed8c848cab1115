"""Reads Quotaro's main window as a screen reader does: a PASS/FAIL line a check, 1 when any fails."""
import subprocess
import sys
import time

import pyatspi

failures = []


def check(what, ok, detail=""):
    print(("PASS: " if ok else "FAIL: ") + what + ("" if ok else "  (%s)" % detail))
    failures.extend([] if ok else [what])


def walk(node, depth=0):
    if node is not None and depth <= 40:
        yield node
        for i in range(node.childCount):
            yield from walk(node.getChildAtIndex(i), depth + 1)


def wait_for(find, seconds):
    end = time.time() + seconds
    while time.time() < end and not find():
        time.sleep(0.2)
    return find()


# role|name read out|description where it differs (the Reset buttons are told apart by it)
EXPECTED = """frame|Quotaro|, text|Value|, combo box|Term|, combo box|Upfronts|, combo box|Mids|,
combo box|Finals|, combo box|Rates|, push button|Refresh terms and rates|, push button|Generate quotation|,
text|Monthly rental|Monthly payment, text|Weekly equivalent|, push button|Save quote as|, text|Quote name|,
push button|Print quote|, push button|Open saved quotes|, push button|Exit|, push button|Reset|Reset value,
push button|Reset|Reset terms and rates, push button|Reset|Reset quotation details, push button|Reset|Reset quote name"""


def main():
    app = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "Quotaro"), None), 30)
    check("the Quotaro application is on the accessibility bus", app is not None)
    # The window is on the bus as soon as it is shown, its controls a little later.
    nodes = wait_for(lambda: any(n.getRole() == pyatspi.ROLE_PUSH_BUTTON for n in walk(app)) and list(walk(app)), 20) \
        if app else []
    seen = {(n.getRoleName(), n.name, n.description or n.name) for n in nodes}
    for expected in EXPECTED.replace("\n", " ").split(", "):
        role, name, description = expected.split("|")
        check("read as " + expected, any(s[:2] == (role, name) and (role == "frame" or s[2] == (description or name))
                                         for s in seen), "seen: %r" % sorted(seen))
    # The windows' sizes are fixed, laid out for this compact font: a larger one cuts captions off.
    about = [n.queryText().getAttributeRun(0, True)[0] for n in nodes if n.name == "About Quotaro"]
    check("the About box reads in DejaVu Sans 8 pt", any({"size:8", 'family-name:"DejaVu Sans"'} <= set(a)
                                                          for a in about), about)
    menus = [[m.name.replace("&", "") for m in n] for n in nodes if n.getRole() == pyatspi.ROLE_MENU_BAR]
    check("the menu bar reads File, Setup, Quotes, Help", menus == [["File", "Setup", "Quotes", "Help"]], menus)
    states = lambda n: (n.getState().contains(pyatspi.STATE_READ_ONLY), n.getState().contains(pyatspi.STATE_FOCUSABLE))
    value = sorted(states(n) for n in nodes if n.getRole() == pyatspi.ROLE_TEXT and n.name == "Value")
    check("one Value box is editable and focusable, the other read-only", value == [(False, True), (True, True)], value)
    # No window manager runs on the test display: the X focus is set as one would.
    focus = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Quotaro$", "windowfocus"],
                           capture_output=True, text=True, timeout=20)
    focused = wait_for(lambda: [n for n in walk(app) if n.getState().contains(pyatspi.STATE_FOCUSED)], 10) \
        if app and focus.returncode == 0 else []
    check("the keyboard focus of the activated window is in the Value box",
          any(f.name == "Value" and not states(f)[0] for f in focused), focus.stderr + repr(focused))


try:
    main()
except Exception as error:  # a broken bus is a failure, not a pass
    check("the accessibility tree can be read", False, repr(error))
sys.exit(1 if failures else 0)
