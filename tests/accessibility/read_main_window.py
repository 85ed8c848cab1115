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


def find_application(name, seconds):
    end = time.time() + seconds
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def walk(node, depth=0):
    """Every accessible below node, in tree order."""
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)


def describe(node):
    return "%s %r desc=%r states=%s" % (node.getRoleName(), node.name, node.description,
                                        sorted(pyatspi.stateToString(s) for s in node.getState().getStates()))


def main():
    app = find_application("Quotaro", 30)
    check("the Quotaro application is on the accessibility bus", app is not None,
          "applications: %r" % [pyatspi.Registry.getDesktop(0).getChildAtIndex(i).name
                                for i in range(pyatspi.Registry.getDesktop(0).childCount)])
    if app is None:
        return

    # The window appears on the bus as soon as it is shown; wait until its
    # controls are there too.
    nodes = []
    end = time.time() + 20
    while time.time() < end:
        nodes = list(walk(app))
        if any(n.getRole() == pyatspi.ROLE_PUSH_BUTTON for n in nodes):
            break
        time.sleep(0.2)

    frames = [n for n in nodes if n.getRole() == pyatspi.ROLE_FRAME]
    check("the main window is a frame titled Quotaro", any(f.name == "Quotaro" for f in frames),
          "frames: %r" % [f.name for f in frames])

    def controls(role, name):
        return [n for n in nodes if n.getRole() == role and n.name == name]

    # role, accessible name, description, and what the control is in the window
    expected = [
        (pyatspi.ROLE_TEXT, "Value", "Value", "txtValue"),
        (pyatspi.ROLE_COMBO_BOX, "Term", "Term", "comSelectTerm"),
        (pyatspi.ROLE_COMBO_BOX, "Upfronts", "Upfronts", "comUpfronts"),
        (pyatspi.ROLE_COMBO_BOX, "Mids", "Mids", "comMids"),
        (pyatspi.ROLE_COMBO_BOX, "Finals", "Finals", "comFinals"),
        (pyatspi.ROLE_COMBO_BOX, "Rates", "Rates", "comRates"),
        (pyatspi.ROLE_PUSH_BUTTON, "Refresh terms and rates", "Refresh terms and rates",
         "cmdRefreshTermsRates"),
        (pyatspi.ROLE_PUSH_BUTTON, "Generate quotation", "Generate quotation", "cmdQuotation"),
        (pyatspi.ROLE_TEXT, "Monthly rental", "Monthly payment", "txtMonthly"),
        (pyatspi.ROLE_TEXT, "Weekly equivalent", "Weekly equivalent", "txtWeekly"),
        (pyatspi.ROLE_PUSH_BUTTON, "Save quote as", "Save quote as", "cmdSave"),
        (pyatspi.ROLE_TEXT, "Quote name", "Quote name", "txtSaveQuote"),
        (pyatspi.ROLE_PUSH_BUTTON, "Print quote", "Print quote", "cmdPrint"),
        (pyatspi.ROLE_PUSH_BUTTON, "Open saved quotes", "Open saved quotes", "cmdOpenSavedQuotes"),
        (pyatspi.ROLE_PUSH_BUTTON, "Exit", "Exit", "cmdExit"),
    ]
    for role, name, description, control in expected:
        found = controls(role, name)
        check("%s is read as %s %r" % (control, pyatspi.Accessible.getRoleName(found[0]) if found else "?", name),
              len(found) > 0, "no %s named %r" % (role, name))
        if found:
            check("%s is described as %r" % (control, description),
                  any(f.description == description for f in found),
                  "descriptions: %r" % [f.description for f in found])

    # The three Reset buttons of the groups are told apart by their descriptions.
    resets = sorted(n.description for n in controls(pyatspi.ROLE_PUSH_BUTTON, "Reset"))
    for description in ("Reset value", "Reset terms and rates", "Reset quotation details",
                        "Reset quote name"):
        check("a Reset button is described as %r" % description, description in resets,
              "Reset descriptions: %r" % resets)

    # The menus a user opens from the menu bar.
    bars = [n for n in nodes if n.getRole() == pyatspi.ROLE_MENU_BAR]
    check("the window has a menu bar", len(bars) > 0)
    if bars:
        menus = [bars[0].getChildAtIndex(i).name for i in range(bars[0].childCount)]
        check("the menu bar reads File, Setup, Quotes, Help",
              [m.replace("&", "") for m in menus] == ["File", "Setup", "Quotes", "Help"],
              "menus: %r" % menus)

    # What a reader says about a box: the value box can be typed into, the
    # result boxes only read.
    def states(node):
        return node.getState()

    value = controls(pyatspi.ROLE_TEXT, "Value")
    if value:
        editable = [v for v in value if not states(v).contains(pyatspi.STATE_READ_ONLY)]
        readonly = [v for v in value if states(v).contains(pyatspi.STATE_READ_ONLY)]
        check("the Value box the user types into is editable and focusable",
              any(states(v).contains(pyatspi.STATE_FOCUSABLE) for v in editable),
              "; ".join(describe(v) for v in value))
        check("the Value of the quotation details is read-only", len(readonly) > 0,
              "; ".join(describe(v) for v in value))

    # There is no window manager on the test display to hand the window the
    # keyboard focus, so the X focus is set on it as a window manager would.
    focused = []
    focus = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Quotaro$",
                            "windowfocus"], capture_output=True, text=True, timeout=20)
    check("the main window takes the X input focus", focus.returncode == 0, focus.stderr)
    if focus.returncode == 0:
        end = time.time() + 10
        while time.time() < end and not focused:
            time.sleep(0.2)
            focused = [n for n in walk(app) if states(n).contains(pyatspi.STATE_FOCUSED)]
    check("the keyboard focus of the activated window is in the Value box",
          any(f.getRole() == pyatspi.ROLE_TEXT and f.name == "Value"
              and not states(f).contains(pyatspi.STATE_READ_ONLY) for f in focused),
          "focused: %r" % [describe(f) for f in focused])

    # Every control a user can reach with Tab has a name to be read out.
    reachable_roles = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX,
                       pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_LIST)
    unnamed = [describe(n) for n in nodes
               if n.getRole() in reachable_roles and states(n).contains(pyatspi.STATE_FOCUSABLE)
               and states(n).contains(pyatspi.STATE_SHOWING) and not n.name]
    check("every focusable control has an accessible name", not unnamed, "; ".join(unnamed))


if __name__ == "__main__":
    try:
        main()
    except Exception as error:  # a broken bus is a failure, not a pass
        check("the accessibility tree can be read", False, repr(error))
    sys.exit(1 if failures else 0)
