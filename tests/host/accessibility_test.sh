#!/usr/bin/env bash
# The application as a screen reader and a keyboard-only person meet it:
# under Xvfb, in a D-Bus session of its own with the accessibility bus, the
# tree is read through pyatspi (accessibility_check.py) while xdotool keys
# book a free slot. Usage: accessibility_test.sh PATH/TO/rs501. Exit 77
# (skipped) only when Xvfb cannot start; the whole run has a deadline.
set -euo pipefail

app=${1:?usage: accessibility_test.sh PATH/TO/rs501}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for tool in Xvfb xdotool dbus-run-session /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "a11y: $tool is missing (bash tools/setup.sh installs it)" >&2; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "a11y: python3-pyatspi is missing" >&2; exit 1; }

# A session bus of its own, so the accessibility bus it starts is ours too.
if [[ -z "${RS501_A11Y_SESSION:-}" ]]; then
  RS501_A11Y_SESSION=1 exec dbus-run-session -- bash "$0" "$@" 2> >(grep -Ev '^dbus-daemon' >&2)
fi

work=$(mktemp -d)
xvfb_pid="" app_pid=""
cleanup() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
xvfb_pid=$!
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
if [[ ! -s "$work/display" ]]; then
  echo "a11y: Xvfb did not start; skipped" >&2
  exit 77
fi
export DISPLAY=":$(head -n1 "$work/display")"
export HOME="$work" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=xcb RS501_UNATTENDED=1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset RS501_DB RS501_USER
"$app" --db "sqlite:$work/rs501.sqlite" --demo --user DEMO --sala 1 >"$work/app.out" 2>"$work/app.err" &
app_pid=$!

rc=0
timeout 60 /usr/bin/python3 "$here/accessibility_check.py" || rc=$?
if ((rc != 0)); then
  sed 's/^/rs501: /' "$work/app.err" >&2
  ((rc == 124)) && echo "a11y: FAILED: still checking after 60 s" >&2
fi
exit "$rc"
