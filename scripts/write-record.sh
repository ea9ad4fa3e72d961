#!/usr/bin/env bash
# Writes the record of what every screen and printout shows (tests/record/*.txt) anew from the
# program as built: run it after a deliberate change and review the record's diff with the commit.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
cmake --build build -j4 --target test_record
rm -f tests/record/*.txt
DC_WRITE_RECORD=1 QT_QPA_PLATFORM=offscreen build/test_record
git status --short tests/record
