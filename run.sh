#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the program. On the first run it makes the golfer's
# database (in $XDG_DATA_HOME/DadoCorvy, else ~/.local/share/DadoCorvy) and points Connect.ini at it.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target DadoCorvy makeblankdb
program=build/program
data="${XDG_DATA_HOME:-$HOME/.local/share}/DadoCorvy"
if [[ ! -f $program/Connect.ini ]]; then
  mkdir -p "$data"
  build/makeblankdb --user-db "$program/DBFiles/CV54Blank.MDB" "$data/Golf.mdb"
  printf '[PATH]\r\nDBPathFile=%s\r\nMultimediaPath=%s/\r\n' "$data/Golf.mdb" "$(pwd)/$program" >"$program/Connect.ini"
fi
exec "$program/DadoCorvy"
