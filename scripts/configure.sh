#!/usr/bin/env bash
# Configures the build folder. A build folder left by a clone at another path is configured anew;
# the program's folder inside it is kept.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
if [[ -f build/CMakeCache.txt ]] && ! grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$(pwd)" build/CMakeCache.txt; then
  rm -rf build/CMakeCache.txt build/CMakeFiles
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
