#!/usr/bin/env bash
# check_install.sh CMAKE BUILD_DIR PREFIX SUFFIX [RUNNER...]: installs the
# build into PREFIX and runs the sandbox from the installed add-on tree (with
# RUNNER, such as Wine, in front of it when given).
set -euo pipefail
cmake=$1 build=$2 prefix=$3 suffix=$4
shift 4
rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
sim=bin/hulkfall-sim
[ "$suffix" = .dll ] && sim=bin/hulkfall-sim.exe
for entry in "Modules/Hulkfall$suffix" Config/Vessels/Hulkfall.cfg Meshes/Hulkfall.msh "$sim"; do
  [ -e "$prefix/$entry" ] || { echo "FAIL: the installed tree lacks $entry"; exit 1; }
done
output=$("$@" "$prefix/$sim" --seed 1 -n 2)
module_line=$(grep '^module ' <<<"$output" || true)
case "$module_line" in
  *Modules[/\\]Hulkfall"$suffix"*) ;;
  *) echo "FAIL: the installed sandbox did not load the installed module:"; echo "$output"; exit 1 ;;
esac
grep -q "2 of 2 debris removed" <<<"$output" || { echo "FAIL: $output"; exit 1; }
echo "ok: the installed tree at $prefix runs ($module_line)"
