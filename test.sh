#!/usr/bin/env bash
# Sets up what is missing, builds everything, and runs every test (offscreen, no display needed).
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"
scripts/install-deps.sh
scripts/configure.sh
cmake --build build -j"$(nproc)"
cd build
QT_QPA_PLATFORM=offscreen ctest -j"$(nproc)" --output-on-failure
