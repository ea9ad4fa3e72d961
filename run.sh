#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the program. The golfer's files live in the data folder
# ($XDG_DATA_HOME/DadoCorvy, else ~/.local/share/DadoCorvy): the database, Connect.ini and DBFiles
# (the blank database and the dated backups). The program's folder links to them, so that a rebuild,
# a removed build folder or a fresh clone never loses them.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"
scripts/install-deps.sh
scripts/configure.sh
program=build/program
data="${XDG_DATA_HOME:-$HOME/.local/share}/DadoCorvy"
mkdir -p "$data/DBFiles" "$program"
if [[ ! -L $program/DBFiles ]]; then
  if [[ -d $program/DBFiles ]]; then
    cp -n "$program"/DBFiles/*.mdb "$data/DBFiles/" 2>/dev/null || true
    rm -rf "$program/DBFiles"
  fi
  ln -s "$data/DBFiles" "$program/DBFiles"
fi
if [[ ! -L $program/Connect.ini ]]; then
  if [[ -f $program/Connect.ini && ! -f $data/Connect.ini ]]; then mv "$program/Connect.ini" "$data/Connect.ini"; fi
  rm -f "$program/Connect.ini"
  ln -s "$data/Connect.ini" "$program/Connect.ini"
fi
cmake --build build -j"$(nproc)" --target DadoCorvy makeblankdb program_folder
if [[ ! -f $data/Connect.ini ]]; then
  build/makeblankdb --user-db "$program/DBFiles/CV54Blank.MDB" "$data/Golf.mdb"
  printf '[PATH]\r\nDBPathFile=%s\r\nMultimediaPath=%s/\r\n' "$data/Golf.mdb" "$(pwd)/$program" >"$data/Connect.ini"
fi
exec "$program/DadoCorvy"
