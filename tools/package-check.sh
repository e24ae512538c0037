#!/usr/bin/env bash
# Builds the Debian packages from the existing build/ (no second build),
# checks them (lintian, desktop-file-validate, appstreamcli), runs the
# program from the extracted package and builds the example host against
# the extracted development kit. Nothing touches the user's own data: the
# extracted program runs with a throwaway HOME and XDG_DATA_HOME.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash "$root/tools/setup.sh" --packaging >/dev/null

say() { echo "package-check: $*" >&2; }
work=$(mktemp -d "${TMPDIR:-/tmp}/rs501-pkg.XXXXXX")
trap 'rm -rf "$work"' EXIT

cmake --build build -j2 >/dev/null  # up to date after the build; makes the compressed pages if not
rm -rf build/packages
cpack --config build/CPackConfig.cmake -G DEB -B build/packages >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; exit 1; }
debs=(build/packages/rs501_*.deb build/packages/rs501-dev_*.deb)
ls -l "${debs[@]}" >&2
for deb in "${debs[@]}"; do dpkg-deb -f "$deb" Package Depends >&2; done

say "lintian"
lintian_rc=0
lintian --fail-on error "${debs[@]}" >"$work/lintian.log" 2>&1 || lintian_rc=$?
grep -v 'running with root privileges' "$work/lintian.log" >&2 || true
((lintian_rc == 0)) || { say "lintian reports errors"; exit 1; }
desktop-file-validate packaging/org.rs501.RS501.desktop
appstreamcli validate --no-net packaging/org.rs501.RS501.metainfo.xml >/dev/null

say "the extracted package"
for deb in "${debs[@]}"; do dpkg-deb -x "$deb" "$work/root"; done
app="$work/root/usr/bin/rs501"
mkdir -p "$work/home"
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
export QT_QPA_PLATFORM=offscreen RS501_UNATTENDED=1
unset RS501_DB RS501_USER RS501_MODULE
[[ "$("$app" --version)" == *"esquema de base de datos versión"* ]]
[[ "$("$app" admin --help)" == *"rs501 admin backup ARCHIVO"* ]]
"$app" --screenshot "$work/calendar.png" 2>"$work/app.err" || { cat "$work/app.err" >&2; exit 1; }
[[ -s "$work/calendar.png" ]]
rooms=$("$app" admin rooms list | wc -l)
[[ "$rooms" == 0 ]] || { say "the first start of an installed copy loaded $rooms rooms"; exit 1; }
"$app" admin backup "$work/backup.sqlite" >/dev/null

say "the example host against the extracted kit"
cmake -S examples -B "$work/example" -G Ninja -DCMAKE_PREFIX_PATH="$work/root/usr" >"$work/example.log" 2>&1 &&
  cmake --build "$work/example" >>"$work/example.log" 2>&1 || { cat "$work/example.log" >&2; exit 1; }
"$work/example/examplehost" "$work/example.sqlite" "$work/example.png" 2>/dev/null
[[ -s "$work/example.png" ]]
say "ok"
