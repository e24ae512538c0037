#!/usr/bin/env bash
# Installs what is missing, builds, starts a throwaway PostgreSQL on loopback
# and runs all tests (SQLite and PostgreSQL), then builds and checks the
# Debian packages (tools/package-check.sh). Set RS501_SKIP_PG=1 to run
# without PostgreSQL. Under CI (CI=true), or with RS501_SANITIZE=1, the suite
# then runs a second time, built with AddressSanitizer and UBSan in build-san/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash "$root/tools/build.sh"

# shellcheck source=tools/pgcluster.sh
source "$root/tools/pgcluster.sh"

trap pg_stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [[ "${RS501_SKIP_PG:-0}" == "1" ]]; then
  echo "test.sh: RS501_SKIP_PG=1: PostgreSQL tests will not run." >&2
  unset RS501_TEST_PG
elif ! pg_start; then
  echo "test.sh: ERROR: could not start the throwaway PostgreSQL cluster." >&2
  echo "test.sh: set RS501_SKIP_PG=1 to run the tests without PostgreSQL." >&2
  exit 1
fi

export QT_QPA_PLATFORM=offscreen
export RS501_UNATTENDED=1

rc=0
ctest --test-dir build --output-on-failure -j2 || rc=$?
# The Debian packages, checked and run from where they unpack.
bash "$root/tools/package-check.sh" || rc=$?

if [[ "${CI:-}" == "true" || "${RS501_SANITIZE:-0}" == "1" ]]; then
  if [[ ! -f build-san/CMakeCache.txt || ! -f build-san/build.ninja ]]; then
    # Line tables only (-g1): the reports name file and line, the build
    # stays short.
    cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DRS501_SANITIZE=ON
  fi
  cmake --build build-san -j2
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
  export UBSAN_OPTIONS=print_stacktrace=1
  # The walk through the real window runs the plain build only: it tests the
  # screens as a person meets them, not the memory the sanitizers watch.
  echo "test.sh: the suite again, under AddressSanitizer and UBSan" >&2
  ctest --test-dir build-san --output-on-failure -j2 -LE 'realinput|a11y' || rc=$?
fi
exit "$rc"
