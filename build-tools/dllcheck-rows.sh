#!/usr/bin/env bash
# Writes the expected rows of the system file check (table DLLCHECK) for the program just built:
# the program itself, each shared library it names as needed (as the dynamic loader finds it), and
# the Qt plugins it loads on a desktop, with the file's date (in UTC, as the check reads it), size and
# version (the version in the real file's name behind its links) and the installed package that owns
# it, with its version.
#   dllcheck-rows.sh PROGRAM QT_PLUGIN_FOLDER OUT.csv
set -euo pipefail
program=$1 plugins=$2 out=$3
tmp=$out.part

# The package owning a file and its version ("" ""), trying the /lib and /usr/lib forms of the path.
package_of() {
  local p owner
  for p in "$1" "$(readlink -f "$1")" "${1#/usr}" "/usr$1"; do
    owner=$(dpkg-query -S "$p" 2>/dev/null | head -n1) || continue
    owner=${owner%%: *}
    [[ -n $owner && $owner != *,* ]] || continue
    echo "$owner,$(dpkg-query -W -f='${Version}' "$owner")"
    return
  done
  echo ","
}

row() {  # ORDERINDEX NAME PATH WITH_PACKAGE
  local real version pkg
  real=$(readlink -f "$3")
  version=$(basename "$real")
  if [[ $version == *.so.* ]]; then version=${version#*.so.}; else version=""; fi
  pkg=","
  [[ $4 == 1 ]] && pkg=$(package_of "$3")
  echo "$1,$2,,$pkg,$(date -u -r "$real" +%Y-%m-%d),$(stat -c %s "$real"),$version" >>"$tmp"
}

echo "ORDERINDEX,FileName,OSVersion,CLSID,CLSIDVER,FileDate,FileSize,FileVersion" >"$tmp"
echo "1,OSVersion,,,,,0," >>"$tmp"
row 2 "$(basename "$program")" "$program" 0
n=2
libs=$(ldd "$program")
for lib in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
  path=$(awk -v l="$lib" '$1 == l && $2 == "=>" { print $3 }' <<<"$libs")
  [[ -n $path && -e $path ]] || continue
  n=$((n + 1))
  row "$n" "$lib" "$path" 1
done
for plugin in platforms/libqxcb.so printsupport/libcupsprintersupport.so; do
  [[ -e $plugins/$plugin ]] || continue
  n=$((n + 1))
  row "$n" "$plugin" "$plugins/$plugin" 1
done
mv "$tmp" "$out"
