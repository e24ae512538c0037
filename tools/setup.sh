#!/usr/bin/env bash
# Installs the Debian packages RS501 needs to build, run and test.
# Idempotent: only missing packages are installed, and the package lists are
# refreshed only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libsqlite3-dev libpq-dev postgresql
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-liberation fonts-crosextra-carlito imagemagick
  xdotool sqlite3 ccache
  at-spi2-core python3-pyatspi dbus
)

# --packaging: also what building and checking the Debian packages needs
# (tools/package-check.sh).
if [[ "${1:-}" == "--packaging" ]]; then
  packages+=(dpkg-dev lintian desktop-file-utils appstream)
fi

if ! command -v dpkg-query >/dev/null 2>&1; then
  echo "setup.sh: dpkg-query not found; not a Debian-like system." >&2
  echo "setup.sh: install these packages (or equivalents) by hand: ${packages[*]}" >&2
  exit 0
fi

missing=()
for pkg in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  if [[ "$status" != "install ok installed" ]]; then
    missing+=("$pkg")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "setup.sh: all required packages are installed."
  exit 0
fi

echo "setup.sh: installing missing packages: ${missing[*]}"

as_root=()
if [[ "$(id -u)" -ne 0 ]]; then
  if command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
  else
    echo "setup.sh: not root and sudo is not available; install as root:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
fi

export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
echo "setup.sh: done."
