"""Reads Quotaro's main window the way a screen reader does: through the
AT-SPI accessibility bus, not through Qt. Exit status 0 when every check
passes, 1 otherwise; one PASS/FAIL line per check."""
import subprocess
import sys
import time

import pyatspi

failures = []


def check(what, ok, detail=""):
    print(("PASS: " if ok else "FAIL: ") + what + ("" if ok else "  (" + detail + ")"))
    if not ok:
        failures.append(what)


def walk(node, depth=0):
    if node is not None and depth <= 40:
        yield node
        for i in range(node.childCount):
            yield from walk(node.getChildAtIndex(i), depth + 1)


def has(node, state):
    return node.getState().contains(state)


def wait_for(find, seconds):
    end = time.time() + seconds
    while time.time() < end and not find():
        time.sleep(0.2)
    return find()


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for(lambda: next((a for a in desktop if a is not None and a.name == "Quotaro"), None), 30)
    check("the Quotaro application is on the accessibility bus", app is not None)
    if app is None:
        return
    # The window appears on the bus as soon as it is shown; its controls a little later.
    nodes = wait_for(lambda: [n for n in walk(app)]
                     if any(n.getRole() == pyatspi.ROLE_PUSH_BUTTON for n in walk(app)) else [], 20)
    seen = sorted({(n.getRoleName(), n.name, n.description) for n in nodes})
    # role, name read out, and its description where that differs from the name
    for expected in ["frame|Quotaro|", "text|Value|", "combo box|Term|", "combo box|Upfronts|",
                     "combo box|Mids|", "combo box|Finals|", "combo box|Rates|",
                     "push button|Refresh terms and rates|", "push button|Generate quotation|",
                     "text|Monthly rental|Monthly payment", "text|Weekly equivalent|",
                     "push button|Save quote as|", "text|Quote name|", "push button|Print quote|",
                     "push button|Open saved quotes|", "push button|Exit|",
                     # the Reset buttons are told apart by their descriptions
                     "push button|Reset|Reset value", "push button|Reset|Reset terms and rates",
                     "push button|Reset|Reset quotation details", "push button|Reset|Reset quote name"]:
        role, name, description = expected.split("|")
        wanted = (role, name, description or name) if role != "frame" else (role, name)
        check("read as " + expected, any(s[:len(wanted)] == wanted for s in seen), "seen: %r" % seen)

    bars = [n for n in nodes if n.getRole() == pyatspi.ROLE_MENU_BAR]
    menus = [m.name.replace("&", "") for m in bars[0]] if bars else None
    check("the menu bar reads File, Setup, Quotes, Help", menus == ["File", "Setup", "Quotes", "Help"],
          "menus: %r" % menus)
    # The value box can be typed into, the quotation's value only read.
    value = [n for n in nodes if n.getRole() == pyatspi.ROLE_TEXT and n.name == "Value"]
    check("one Value box is editable and focusable, the other read-only",
          sorted((has(v, pyatspi.STATE_READ_ONLY), has(v, pyatspi.STATE_FOCUSABLE)) for v in value)
          == [(False, True), (True, True)], "%d Value boxes" % len(value))

    # No window manager runs on the test display: the X focus is set on the
    # window as one would.
    focus = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Quotaro$", "windowfocus"],
                           capture_output=True, text=True, timeout=20)
    focused = wait_for(lambda: [n for n in walk(app) if has(n, pyatspi.STATE_FOCUSED)], 10) \
        if focus.returncode == 0 else []
    check("the keyboard focus of the activated window is in the Value box",
          any(f.name == "Value" and not has(f, pyatspi.STATE_READ_ONLY) for f in focused),
          focus.stderr + "focused: %r" % [f.name for f in focused])


if __name__ == "__main__":
    try:
        main()
    except Exception as error:  # a broken bus is a failure, not a pass
        check("the accessibility tree can be read", False, repr(error))
    sys.exit(1 if failures else 0)
