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


def applications():
    desktop = pyatspi.Registry.getDesktop(0)
    return [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]


def walk(node, depth=0):
    """Every accessible below node, in tree order."""
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)


def has(node, state):
    return node.getState().contains(state)


def describe(node):
    return "%s %r desc=%r states=%s" % (node.getRoleName(), node.name, node.description,
                                        sorted(pyatspi.stateToString(s) for s in node.getState().getStates()))


def wait_for(find, seconds):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    return find()


def main():
    app = wait_for(lambda: next((a for a in applications() if a is not None and a.name == "Quotaro"), None), 30)
    check("the Quotaro application is on the accessibility bus", app is not None,
          "applications: %r" % [a.name for a in applications()])
    if app is None:
        return
    # The window appears on the bus as soon as it is shown; its controls a little later.
    nodes = wait_for(lambda: [n for n in walk(app)]
                     if any(n.getRole() == pyatspi.ROLE_PUSH_BUTTON for n in walk(app)) else [], 20)

    frames = [n.name for n in nodes if n.getRole() == pyatspi.ROLE_FRAME]
    check("the main window is a frame titled Quotaro", "Quotaro" in frames, "frames: %r" % frames)

    def controls(role, name):
        return [n for n in nodes if n.getRole() == role and n.name == name]

    TEXT, COMBO, BUTTON = pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_PUSH_BUTTON
    # role, accessible name, description, and the control in the window
    expected = [
        (TEXT, "Value", "Value", "txtValue"),
        (COMBO, "Term", "Term", "comSelectTerm"),
        (COMBO, "Upfronts", "Upfronts", "comUpfronts"),
        (COMBO, "Mids", "Mids", "comMids"),
        (COMBO, "Finals", "Finals", "comFinals"),
        (COMBO, "Rates", "Rates", "comRates"),
        (BUTTON, "Refresh terms and rates", "Refresh terms and rates", "cmdRefreshTermsRates"),
        (BUTTON, "Generate quotation", "Generate quotation", "cmdQuotation"),
        (TEXT, "Monthly rental", "Monthly payment", "txtMonthly"),
        (TEXT, "Weekly equivalent", "Weekly equivalent", "txtWeekly"),
        (BUTTON, "Save quote as", "Save quote as", "cmdSave"),
        (TEXT, "Quote name", "Quote name", "txtSaveQuote"),
        (BUTTON, "Print quote", "Print quote", "cmdPrint"),
        (BUTTON, "Open saved quotes", "Open saved quotes", "cmdOpenSavedQuotes"),
        (BUTTON, "Exit", "Exit", "cmdExit"),
    ]
    for role, name, description, control in expected:
        found = controls(role, name)
        check("%s is read as %s %r" % (control, pyatspi.Accessible.getRoleName(found[0]) if found else "?", name),
              len(found) > 0, "no %s named %r" % (role, name))
        if found:
            check("%s is described as %r" % (control, description),
                  any(f.description == description for f in found),
                  "descriptions: %r" % [f.description for f in found])

    # The Reset buttons of the groups are told apart by their descriptions.
    resets = sorted(n.description for n in controls(BUTTON, "Reset"))
    for description in ("Reset value", "Reset terms and rates", "Reset quotation details", "Reset quote name"):
        check("a Reset button is described as %r" % description, description in resets,
              "Reset descriptions: %r" % resets)

    bars = [n for n in nodes if n.getRole() == pyatspi.ROLE_MENU_BAR]
    menus = [bars[0].getChildAtIndex(i).name.replace("&", "") for i in range(bars[0].childCount)] if bars else None
    check("the menu bar reads File, Setup, Quotes, Help", menus == ["File", "Setup", "Quotes", "Help"],
          "menus: %r" % menus)

    # The value box can be typed into, the quotation's value only read.
    value = controls(TEXT, "Value")
    check("the Value box the user types into is editable and focusable",
          any(has(v, pyatspi.STATE_FOCUSABLE) and not has(v, pyatspi.STATE_READ_ONLY) for v in value),
          "; ".join(describe(v) for v in value))
    check("the Value of the quotation details is read-only", any(has(v, pyatspi.STATE_READ_ONLY) for v in value),
          "; ".join(describe(v) for v in value))

    # No window manager runs on the test display: the X focus is set on the
    # window as one would.
    focus = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Quotaro$", "windowfocus"],
                           capture_output=True, text=True, timeout=20)
    check("the main window takes the X input focus", focus.returncode == 0, focus.stderr)
    focused = []
    if focus.returncode == 0:
        focused = wait_for(lambda: [n for n in walk(app) if has(n, pyatspi.STATE_FOCUSED)], 10)
    check("the keyboard focus of the activated window is in the Value box",
          any(f.getRole() == TEXT and f.name == "Value" and not has(f, pyatspi.STATE_READ_ONLY) for f in focused),
          "focused: %r" % [describe(f) for f in focused])

    # Every control a user can reach with Tab has a name to be read out.
    reachable = (BUTTON, TEXT, COMBO, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_LIST)
    unnamed = [describe(n) for n in nodes if n.getRole() in reachable and not n.name
               and has(n, pyatspi.STATE_FOCUSABLE) and has(n, pyatspi.STATE_SHOWING)]
    check("every focusable control has an accessible name", not unnamed, "; ".join(unnamed))


if __name__ == "__main__":
    try:
        main()
    except Exception as error:  # a broken bus is a failure, not a pass
        check("the accessibility tree can be read", False, repr(error))
    sys.exit(1 if failures else 0)
