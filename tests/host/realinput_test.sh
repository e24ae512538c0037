#!/usr/bin/env bash
# A person's walk through the real application window under Xvfb, with real X
# input from xdotool: double-click a free (green) slot, type the client "1",
# the responsible person and the purpose, F10; open it again, Modificar,
# change the person, F10; open it again, Eliminar; the slot is green again.
# Each step is checked in the SQLite file and in the window's own pixels.
# Usage: realinput_test.sh PATH/TO/rs501. Exit 77 (skipped) only when Xvfb
# cannot start; every wait has a deadline, so the walk never hangs.
set -euo pipefail

app=${1:?usage: realinput_test.sh PATH/TO/rs501}
for tool in Xvfb xdotool sqlite3 import convert; do
  command -v "$tool" >/dev/null || { echo "realinput: $tool is missing (bash tools/setup.sh installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid="" app_pid="" watchdog_pid=""
cleanup() {
  if [[ -n "$watchdog_pid" ]]; then
    pkill -P "$watchdog_pid" sleep 2>/dev/null || true
    kill "$watchdog_pid" 2>/dev/null || true
  fi
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# The whole walk has a deadline of its own, so nothing it started outlives it.
trap 'echo "realinput: FAILED: still walking after 90 s" >&2; exit 1' TERM
(sleep 90 && kill -TERM $$) >/dev/null 2>&1 &
watchdog_pid=$!

fail() {
  echo "realinput: FAILED: $*" >&2
  [[ -s "$work/app.err" ]] && sed 's/^/rs501: /' "$work/app.err" >&2
  exit 1
}

# A display of its own, whichever number is free.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
xvfb_pid=$!
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
if [[ ! -s "$work/display" ]]; then
  echo "realinput: Xvfb did not start; skipped" >&2
  cat "$work/xvfb.err" >&2
  exit 77
fi
export DISPLAY=":$(head -n1 "$work/display")"

db="$work/rs501.sqlite"
export HOME="$work" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=xcb RS501_UNATTENDED=1
unset RS501_DB RS501_USER
"$app" --db "sqlite:$db" --demo --user DEMO --sala 1 >"$work/app.out" 2>"$work/app.err" &
app_pid=$!

# Polls a command until its output is the expected text; 10 s at most.
until_shows() {
  local expected=$1 got=""
  shift
  for _ in $(seq 100); do
    got=$("$@" 2>/dev/null || true)
    [[ "$got" == "$expected" ]] && return 0
    sleep 0.1
  done
  fail "$* shows '$got', not '$expected'"
}

visible_window() {  # the id of the one visible window whose name is $1
  timeout 10 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n1
}

main=$(visible_window '^RS501 - ') || true
[[ -n "$main" ]] || fail "the application window did not come up"

pixel() {  # the colour of the main window at x y, as #RRGGBB
  import -window "$main" "$work/shot.png" 2>/dev/null
  convert "$work/shot.png" -format '#%[hex:p{'"$1,$2"'}]' info:- 2>/dev/null | cut -c1-7
}

# The first free slot, reading the grid left to right from the top: the
# first run of 60 green pixels (wider than the legend's swatch) gives the
# top left of a free cell.
first_green() {
  import -window "$main" "$work/shot.png" 2>/dev/null
  convert "$work/shot.png" txt:- 2>/dev/null | awk -F'[,:]' 'toupper($0) ~ /#00FF00/ {
      if ($2 == py && $1 == px + 1) run++; else { run = 1; sx = $1 }
      px = $1; py = $2
      if (run >= 60) { print sx "," py; exit }
    }'
}
corner=""
for _ in $(seq 100); do
  corner=$(first_green || true)
  [[ -n "$corner" ]] && break
  sleep 0.1
done
[[ -n "$corner" ]] || fail "no green slot painted"
x=$((${corner%,*} + 12)) y=$((${corner#*,} + 8))
[[ $(pixel "$x" "$y") == "#00FF00" ]] || fail "the slot at $x,$y is not green"

sql() { sqlite3 -batch "$db" "$1"; }
folio_row() {
  sql "SELECT Rsj_Folio || '|' || Rsj_Cliente || '|' || Rsj_Responsable || '|' || Es_Cve_Estado
       FROM Reservacion_Sala_Junta WHERE Rsj_Folio = (SELECT MAX(Rsj_Folio) FROM Reservacion_Sala_Junta)"
}
before=$(sql "SELECT MAX(Rsj_Folio) FROM Reservacion_Sala_Junta")

# Opens the editor on the slot and waits for it, keyboard focus in it.
open_slot() {
  xdotool mousemove --window "$main" "$x" "$y" click --repeat 2 --delay 100 1
  editor=$(visible_window '^Alta de reservaciones$') || true
  [[ -n "$editor" ]] || fail "the editor did not open on the slot"
  xdotool windowfocus --sync "$editor" 2>/dev/null || true
}
# Clicks a box of the editor at its designed place, then types into it.
type_into() {
  xdotool mousemove --window "$editor" "$1" "$2" click 1
  xdotool key --clearmodifiers ctrl+a BackSpace
  xdotool type --delay 15 "$3"
}
editor_gone() { xdotool search --onlyvisible --name '^Alta de reservaciones$' >/dev/null 2>&1 && echo up || echo gone; }

# A new reservation: client "1" (Enter looks it up), the person, the purpose.
open_slot
type_into 185 186 "1"
xdotool key Return
type_into 300 210 "LAURA PRUEBA"
type_into 300 260 "Junta de prueba"
xdotool key F10
until_shows gone editor_gone
folio=$(sql "SELECT MAX(Rsj_Folio) FROM Reservacion_Sala_Junta")
[[ "$folio" != "$before" ]] || fail "Aceptar stored nothing"
until_shows "$folio|0001|LAURA PRUEBA|AC" folio_row
[[ $(sql "SELECT Rsj_Proposito FROM Reservacion_Sala_Junta WHERE Rsj_Folio = '$folio'") == *"Junta de prueba"* ]] ||
  fail "the purpose typed was not stored"
until_shows "#0000FF" pixel "$x" "$y"

# The stored reservation: Modificar, another person, F10.
open_slot
xdotool key ctrl+m
type_into 300 210 "PEDRO PRUEBA"
xdotool key F10
until_shows gone editor_gone
until_shows "$folio|0001|PEDRO PRUEBA|AC" folio_row

# Cancelled: the row stays, cancelled, and the slot is free again.
open_slot
xdotool key ctrl+e
until_shows gone editor_gone
until_shows "$folio|0001|PEDRO PRUEBA|CA" folio_row
until_shows "#00FF00" pixel "$x" "$y"
[[ $(sql "SELECT COUNT(*) FROM Reservacion_Sala_Junta WHERE Rsj_Folio > '$before'") == 1 ]] ||
  fail "more than one reservation was stored"
echo "realinput: folio $folio booked, changed and cancelled through the real window"
