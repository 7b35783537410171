#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Walks the running program as a screen reader sees it, through AT-SPI.

Drives one whole pass of the main window with the keyboard, opens the decipher dialog and the lab, and
prints per window: focusable controls without a name, duplicate names and views without a name. Then it
counts the focus changes of every Enter step of the pass and the name changes of 20 key strokes on the
lab's page "Periode", and reads the trace in words and the notification the decipher dialog shows. Keys go to
the X server with xdotool, as a user types them. Exits with 1 when a figure misses its goal (0 in every
window row, one focus change a step, no more renamed cells than changed ones).
"""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

APP = "bifid"
VIEW_ROLES = {
    pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_CHART, pyatspi.ROLE_CANVAS, pyatspi.ROLE_SCROLL_PANE, pyatspi.ROLE_PAGE_TAB_LIST,
}

events = []


def record(event):
    events.append(event)


def pump(seconds):
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)


def wait_for(condition, seconds=5.0):
    """Pumps events until the condition holds or the time is up; returns what it returned last."""
    end = time.monotonic() + seconds
    while True:
        result = condition()
        if result or time.monotonic() > end:
            return result
        pump(0.1)


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "40", *names], check=True)
    pump(0.6)


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "60", text], check=True)


def application():
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == APP:
                return app
        time.sleep(0.2)
    sys.exit("The program did not appear on the accessibility bus")


def window(title_start):
    for _ in range(50):
        for frame in application():
            if frame is not None and frame.name.startswith(title_start):
                return frame
        pump(0.2)
    sys.exit(f"No window \"{title_start}\"")


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def showing(node):
    states = node.getState()
    return states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)


def find(frame, name, role=None):
    for node in descendants(frame):
        if node.name == name and (role is None or node.getRole() == role) and showing(node):
            return node
    sys.exit(f"No control \"{name}\" in \"{frame.name}\"")


def describe(node):
    parent = node.parent
    return f"{node.getRoleName()} \"{node.name}\" in {parent.getRoleName()} \"{parent.name}\""


def ancestors(node):
    parent = node.parent
    while parent is not None:
        yield parent
        parent = parent.parent


misses = []  # the figures that miss their goal


def heard_name(node):
    """The name a screen reader speaks: a combo box reads its entry as its name and is told apart by
    the label that labels it."""
    if node.getRole() == pyatspi.ROLE_COMBO_BOX:
        for relation in node.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY and relation.getNTargets() > 0:
                return relation.getTarget(0).name.strip()
    return node.name.strip()


def in_combo_box(node):
    return any(a.getRole() == pyatspi.ROLE_COMBO_BOX for a in ancestors(node))


def audit(label, frame):
    nameless, views, names = [], [], {}
    for node in descendants(frame):
        # The entries of a combo box's list are its values, not controls of their own.
        if not showing(node) or in_combo_box(node):
            continue
        name = heard_name(node)
        if node.getState().contains(pyatspi.STATE_FOCUSABLE):
            if not name:
                nameless.append(describe(node))
            else:
                names.setdefault(name, []).append(node)
        if node.getRole() in VIEW_ROLES and not name:
            views.append(node.getRoleName())
    # A combo box and a tab bar bear the name of their chosen entry: an item that repeats the name of
    # the control it belongs to is that control's value, not a second control of the name.
    duplicates = {}
    for name, nodes in names.items():
        own = [n for n in nodes if not any(a in nodes for a in ancestors(n))]
        if len(own) > 1:
            duplicates[name] = [n.getRoleName() for n in own]
    if nameless or duplicates or views:
        misses.append(label)
    print(f"{label}:")
    print(f"  fokussierbar ohne Namen: {len(nameless)}" + "".join(f"\n    {n}" for n in nameless))
    print(f"  doppelte Namen:          {len(duplicates)}"
          + "".join(f"\n    \"{n}\" ({', '.join(r)})" for n, r in duplicates.items()))
    print(f"  Ansichten ohne Namen:    {len(views)}" + "".join(f"\n    {v}" for v in views))


def show_page(tabs, name):
    tab = next(t for t in tabs if t is not None and t.getRole() == pyatspi.ROLE_PAGE_TAB and t.name == name)
    tab.queryAction().doAction(0)
    pump(0.8)
    return name


def in_box(node):
    try:
        return any(n.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT) for n in [node, *ancestors(node)])
    except GLib.Error:  # gone by now: the closed box's button
        return True


def focus_moves(since, focused):
    """The controls the focus moved to since event `since`, from `focused` on. A control that gets the
    focus it already has is no move (a screen reader says nothing), and a message box's own focus is
    the box's, not the window's."""
    moves = []
    for event in events[since:]:
        if not event.type.startswith("object:state-changed:focused") or event.detail1 != 1:
            continue
        if in_box(event.source) or event.source == focused:
            continue
        focused = event.source
        moves.append(focused)
    return moves, focused


def enter_steps(main):
    """Walks the pass with Enter from "Eingabetext bereinigen"; returns the focus changes of each step."""
    memo = find(main, "... eingegebener Plaintext:", pyatspi.ROLE_TEXT)
    memo.queryComponent().grabFocus()
    pump(0.3)
    keys("ctrl+a")
    typed("Hallo")
    focused = find(main, "Eingabetext bereinigen", pyatspi.ROLE_PUSH_BUTTON)
    focused.queryComponent().grabFocus()
    pump(0.5)
    steps = []
    for step in range(8):
        since = len(events)
        keys("Return")
        box = [f for f in application() if f is not None and f.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)
               and showing(f)]
        if box:  # the generator's message: its OK button takes the focus and gives it back
            keys("Return")
            pump(0.5)
        if step == 0:  # the keyword list has the focus: a keyword of one letter keeps the pass short
            keys("ctrl+a")
            typed("A")
            pump(0.3)
        moves, focused = focus_moves(since, focused)
        steps.append([m.name for m in moves])
    return steps


def trace_in_words(frame, name):
    """The description of a field once its cursor stands on its first character."""
    field = find(frame, name, pyatspi.ROLE_TEXT)  # not its label, which bears the same name
    field.queryComponent().grabFocus()
    pump(0.3)
    keys("ctrl+Home")
    return name, field.description


def announcements(dialog):
    """The notifications the dialog shows when a letter more makes the ciphertext another one."""
    field = next(n for n in descendants(dialog)
                 if n.getRole() == pyatspi.ROLE_TEXT and n.name.startswith("Ciphertext") and showing(n))
    field.queryComponent().grabFocus()
    pump(0.3)
    keys("ctrl+End")
    since = len(events)
    typed("Q")
    return wait_for(lambda: [e.source.name for e in events[since:]
                             if e.type.startswith("object:state-changed:showing") and e.detail1 == 1
                             and e.source.getRole() == pyatspi.ROLE_NOTIFICATION])


def keystroke_names(lab):
    cells = [n for n in descendants(lab) if n.name.startswith("Zeile ") and showing(n)]
    field = next(n for n in descendants(lab)
                 if n.getRole() == pyatspi.ROLE_TEXT and n.name.startswith("Text") and showing(n))
    field.queryComponent().grabFocus()
    pump(0.3)
    before = [c.name for c in cells]
    changed_cells = 0
    since = len(events)
    for letter in "GEHEIMNISVOLLERTEXTE":
        typed(letter)
        pump(0.25)
        now = [c.name for c in cells]
        changed_cells += sum(1 for a, b in zip(before, now) if a != b)
        before = now
    renamed = [e.source for e in events[since:] if e.type.startswith("object:property-change:accessible-name")]
    cells_renamed = sum(1 for source in renamed if source in cells)
    return cells_renamed, changed_cells, len(renamed) - cells_renamed


def main():
    pyatspi.Registry.registerEventListener(record, "object:state-changed:focused",
                                           "object:property-change:accessible-name",
                                           "object:state-changed:showing")
    main_window = window("Chiffrieren BIFID")
    # As a desktop does with a new window: the focus then stands where the window put it.
    subprocess.run(["xdotool", "search", "--sync", "--name", "^Chiffrieren BIFID", "windowactivate", "--sync"],
                   check=True, stdout=subprocess.DEVNULL)
    focused = wait_for(lambda: [n for n in descendants(main_window) if n.getRole() != pyatspi.ROLE_FILLER
                                and n.getState().contains(pyatspi.STATE_FOCUSED)])
    print("Fokus beim Start: " + (", ".join(describe(n) for n in focused) or "keiner"))

    steps = enter_steps(main_window)
    audit("Hauptfenster", main_window)
    words = [trace_in_words(main_window, "... eingegebener Plaintext:"), trace_in_words(main_window, "Geheimtext")]

    keys("ctrl+e")
    dialog = window("Gegenprobe")
    audit("Gegenprobe", dialog)
    announced = announcements(dialog)
    keys("Escape")

    main_window.queryComponent().grabFocus()
    find(main_window, "Wiederholen", pyatspi.ROLE_PUSH_BUTTON).queryComponent().grabFocus()
    pump(0.3)
    keys("ctrl+l")
    lab = window("Bifid-Labor")
    tabs = next(n for n in descendants(lab) if n.getRole() == pyatspi.ROLE_PAGE_TAB_LIST)
    pages = [t.name for t in tabs if t is not None and t.getRole() == pyatspi.ROLE_PAGE_TAB]
    audit(f"Labor, Seite \"{show_page(tabs, pages[0])}\"", lab)
    renamed, changed, others = keystroke_names(lab)  # the page "Periode" opens first
    for name in pages[1:]:
        audit(f"Labor, Seite \"{show_page(tabs, name)}\"", lab)

    for field, description in words:
        print(f"Spur in Worten am Anfang von \"{field}\": {description}")
    print(f"Ansagen der Gegenprobe, als der Ciphertext nicht mehr passt: {len(announced)} "
          + ", ".join(f"\"{a}\"" for a in announced))
    print("Fokuswechsel je Enter-Schritt: " + ", ".join(str(len(moves)) for moves in steps))
    for number, moves in enumerate(steps, 1):
        if len(moves) != 1:
            print(f"  Schritt {number}: " + " -> ".join(f"\"{m}\"" for m in moves))
    print(f"Namensänderungen der Matrixzellen bei 20 Tastenanschlägen auf \"Periode\": {renamed}"
          f" (geänderte Zellen: {changed}; dazu {others} Beschriftungen, die ihren Text ändern)")
    if any(len(moves) != 1 for moves in steps):
        misses.append("Fokuswechsel")
    if renamed > changed:
        misses.append("Namensänderungen")
    if not all(description for _, description in words) or not announced:
        misses.append("Worte")
    if misses:
        sys.exit("Verfehlt: " + ", ".join(misses))


if __name__ == "__main__":
    main()
