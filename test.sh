#!/usr/bin/env bash
# Sets up what is missing, builds everything, and runs every test (offscreen, no display needed);
# then builds the tests once more under the address and undefined-behaviour sanitizers (build-asan)
# and runs them again: any report fails the run.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"
jobs="$(nproc)"
scripts/install-deps.sh
scripts/configure.sh
cmake --build build -j"$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest -j"$jobs" --output-on-failure)

# ---- the sanitizer run
# Under another locale and a time zone far from UTC, so that a test that depends on the machine's own
# (rather than the ones the tests set) fails here at once.
# Any report stops the program with an error. Leaks are not checked: Qt's plugins, fontconfig and
# the other system libraries keep memory to the end on purpose, and would be the only reports.
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=0:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# A build folder left by a clone at another path is configured anew.
if [[ -f build-asan/CMakeCache.txt ]] && ! grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$(pwd)" build-asan/CMakeCache.txt; then
  rm -rf build-asan/CMakeCache.txt build-asan/CMakeFiles
fi
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDC_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 TZ=Pacific/Kiritimati QT_QPA_PLATFORM=offscreen \
  ctest -j"$jobs" --output-on-failure)
