#!/usr/bin/env bash
# Builds RS501 and opens the host application. Arguments are passed through,
# e.g. --db, --user, --demo, --unattended. Without arguments it opens on the
# embedded SQLite default database.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash "$root/tools/build.sh"

app="$root/build/bin/rs501"
if [[ ! -x "$app" ]]; then
  echo "run.sh: $app was not built." >&2
  exit 1
fi

# An installed copy starts an office on an empty database; from source the
# first start of the default database shows the demonstration data.
demo=()
default_db="${XDG_DATA_HOME:-$HOME/.local/share}/RS501/rs501.sqlite"
if [[ -z "${RS501_DB:-}" && ! -e "$default_db" && " $* " != *" --db"* && " $* " != *" --demo "* ]]; then
  demo=(--demo)
fi
set -- "${demo[@]}" "$@"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  cat >&2 <<'MSG'
run.sh: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set).
run.sh: running the application under a virtual X server (xvfb-run -a); its
run.sh: window will not be visible. For a headless run you can also use
run.sh:   QT_QPA_PLATFORM=offscreen bash tools/run.sh --unattended
run.sh: or run it on a machine with a display.
MSG
  exec xvfb-run -a "$app" "$@"
fi

exec "$app" "$@"
