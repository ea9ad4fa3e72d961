#!/usr/bin/env bash
# Sets up what is missing, builds everything, and runs every test (offscreen, no display needed).
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure
