#!/usr/bin/env bash
# Installs what is missing, configures (once) and builds RS501 into build/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash "$root/tools/setup.sh"

if [[ ! -f build/CMakeCache.txt || ! -f build/build.ninja ]]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build -j2
