"""Reads RS501's accessibility tree as a screen reader does and books a free
slot with keys only. Run by accessibility_test.sh with the system Python."""
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

DAY = r"(domingo|lunes|martes|miércoles|jueves|viernes|sábado) \d{1,2} de [a-z]+"
SLOT = re.compile(rf"^{DAY}, \d\d:\d\d a \d\d:\d\d, "
                  r"(disponible|inhábil|(inhábil, )?reservado, folio \d{10}(, \S.*)?)$")
heard = []  # (object, name, index in its parent) of each focus announced


def fail(message):
    print("a11y: FAILED: " + message, file=sys.stderr)
    sys.exit(1)


def poll(probe, seconds):
    end = time.time() + seconds
    while True:
        while GLib.MainContext.default().iteration(False):
            pass
        found = probe()
        if found or time.time() > end:
            return found
        time.sleep(0.05)


def wait_for(what, probe, seconds=20):
    return poll(probe, seconds) or fail(f"{what} (focus went to: {[n for _, n, _ in heard][-8:]})")


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)


def walk(node):
    yield node
    # Cells are read through the table; a text box's scroll bars come and go as the toolkit's.
    if node.getRole() not in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TEXT):
        for child in node:
            if child is not None:
                yield from walk(child)


def has(node, *states):
    s = node.getState()
    return all(s.contains(x) for x in states)


def window(title):
    desktop = pyatspi.Registry.getDesktop(0)
    app = next((a for a in desktop if a is not None and a.name == "RS501"), None)
    return app and next((w for w in app if w is not None and title in w.name and has(w, pyatspi.STATE_SHOWING)), None)


def find(root, role, name=None):
    return next((n for n in walk(root) if n.getRole() == role and name in (None, n.name)), None)


def check_names(root, screen):
    unnamed = [n.getRoleName() for n in walk(root)
               if has(n, pyatspi.STATE_FOCUSABLE, pyatspi.STATE_SHOWING) and not n.name.strip()]
    if unnamed:
        fail(f"{screen}: focusable controls without a name: {unnamed}")
    hidden = [f"{n.getRoleName()} '{n.name}'" for n in walk(root) if not has(n, pyatspi.STATE_VISIBLE)]
    if hidden:
        fail(f"{screen}: hidden objects in the tree: {hidden}")


def focused_cell(columns):
    cells = [divmod(index, columns) for source, name, index in heard if source.getRole() == pyatspi.ROLE_TABLE_CELL]
    return cells[-1] if cells else None


def focused_in(root):
    return next((n for n in walk(root) if has(n, pyatspi.STATE_FOCUSED)), None)


def focus_window(title):  # as a window manager would; Xvfb has none
    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title, "windowfocus", "--sync"], check=True)


# A time or date picker takes Tab for its next field first, and says nothing.
def tab_to(name, tabs=12):
    for _ in range(tabs):
        count = len(heard)
        keys("Tab")
        if poll(lambda: len(heard) > count, 1) and heard[-1][1] == name:
            return
    fail(f"{tabs} Tab did not reach {name}")


main = wait_for("no RS501 window in the accessibility tree", lambda: window("RS501 - "), 20)
# Only once the application is on the bus does it learn of a listener for sure.
pyatspi.Registry.registerEventListener(
    lambda e: e.detail1 and heard.append((e.source, e.source.name, e.source.getIndexInParent())),
    "object:state-changed:focused")
grid = wait_for("the grid is no table", lambda: find(main, pyatspi.ROLE_TABLE))
table = grid.queryTable()
last = (table.nRows - 1, table.nColumns - 1)
wait_for("the grid was not painted", lambda: SLOT.match(table.getAccessibleAt(*last).name))
if "semana del" not in (table.caption.name if table.caption else ""):
    fail(f"caption '{table.caption and table.caption.name}' names no period")
if table.getRowHeader(2).name != "09:00" or not re.match(DAY, table.getColumnHeader(1).name):
    fail(f"headers read '{table.getRowHeader(2).name}', '{table.getColumnHeader(1).name}'")
cells = {(r, c): table.getAccessibleAt(r, c).name for r in range(2, table.nRows) for c in range(1, table.nColumns)}
wrong = [n for n in cells.values() if not SLOT.match(n)]
if wrong:
    fail(f"slot cells not named by day, time and state: {wrong[:3]}")
sample = {kind: next((n for n in cells.values() if re.search(pattern, n)), None) for kind, pattern in
          {"free": "disponible$", "reserved": r"reservado, folio \d+, \S", "non-working": "inhábil$"}.items()}
if None in sample.values():
    fail(f"the demo week lacks a kind of slot: {sample}")
for kind, name in sample.items():
    print(f"a11y: {kind}: {name}")
check_names(main, "calendar")

# Keys only: Tab from the room box over the period buttons into the grid,
# arrows to the first free slot of a working day, Enter.
(row, col), target = next(((at, n) for at, n in cells.items() if n.endswith("disponible")))
focus_window("^RS501 - ")
wait_for("the room box has not the focus", lambda: getattr(focused_in(main), "name", "") == "Sala")
heard.clear()
keys(*["Tab"] * 6)
now = wait_for("Tab did not reach the grid after the room box and five buttons",
               lambda: focused_cell(table.nColumns))
keys(*(["Up" if row < now[0] else "Down"] * abs(row - now[0])),
     *(["Left" if col < now[1] else "Right"] * abs(col - now[1])))
wait_for(f"the arrows did not reach {target}",
         lambda: focused_cell(table.nColumns) == (row, col) and heard[-1][1] == target)
keys("Return")
editor = wait_for("Enter on a free slot opened no editor", lambda: window("Alta de reservaciones"))
start = find(editor, pyatspi.ROLE_SPIN_BUTTON, "Hora inicio").queryText().getText(0, -1)
if not start.startswith(target.split(", ")[1][:5]):
    fail(f"the editor starts at {start}, not at the slot {target}")
check_names(editor, "editor")
focus_window("^Alta de reservaciones$")
wait_for("the editor did not put the focus on its start time", lambda: heard[-1][1] == "Hora inicio")
tab_to("Responsable")
subprocess.run(["xdotool", "type", "--delay", "20", "ANA TECLADO"], check=True)
tab_to("Propósito", 1)
subprocess.run(["xdotool", "type", "--delay", "20", "Junta sin ratón"], check=True)
keys("F10")
wait_for("F10 stored nothing", lambda: re.search(r"reservado, folio \d{10}, ANA TECLADO$",
                                                  table.getAccessibleAt(row, col).name))
heard.clear()
focus_window("^RS501 - ")
wait_for("after the save the focus is not back on the booked slot",
         lambda: focused_cell(table.nColumns) == (row, col) and "reservado" in heard[-1][1])
print(f"a11y: booked with keys only: {table.getAccessibleAt(row, col).name}")
