#!/usr/bin/env bash
# check_install.sh CMAKE BUILD_DIR PREFIX: installs the build into PREFIX and
# runs the sandbox from the installed add-on tree.
set -euo pipefail
cmake=$1 build=$2 prefix=$3
rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
for entry in Modules/Hulkfall.so Config/Vessels/Hulkfall.cfg Meshes/Hulkfall.msh bin/hulkfall-sim; do
  [ -e "$prefix/$entry" ] || { echo "FAIL: the installed tree lacks $entry"; exit 1; }
done
output=$("$prefix/bin/hulkfall-sim" --seed 1 -n 2)
grep -q "module $prefix/Modules/Hulkfall.so" <<<"$output" ||
  { echo "FAIL: the installed sandbox did not load the installed module:"; echo "$output"; exit 1; }
grep -q "2 of 2 debris removed" <<<"$output" || { echo "FAIL: $output"; exit 1; }
echo "ok: the installed tree at $prefix runs"
