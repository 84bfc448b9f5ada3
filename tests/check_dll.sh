#!/usr/bin/env bash
# check_dll.sh OBJDUMP DLL MACHINE HOST_DLL EXPORT...
# Fails, naming each offending entry, unless the DLL is built for MACHINE
# (pei-x86-64 or pei-i386), its export table names exactly the given exports,
# undecorated, and it imports only from the host library, KERNEL32.dll and
# the C runtime msvcrt.dll.
set -euo pipefail
objdump=$1 dll=$2 machine=$3 host_dll=$4
shift 4
status=0
format=$("$objdump" -f "$dll" | sed -n 's/.*file format //p')
if [ "$format" != "$machine" ]; then
  echo "FAIL: $dll is $format, not $machine"
  status=1
fi
details=$("$objdump" -p "$dll")
exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next} on && /^\s*$/ {on=0} on {print $NF}' <<<"$details" | sort)
expected=$(printf '%s\n' "$@" | sort)
for name in $(comm -13 <(echo "$expected") <(echo "$exports")); do echo "FAIL: extra export: $name"; status=1; done
for name in $(comm -23 <(echo "$expected") <(echo "$exports")); do echo "FAIL: missing export: $name"; status=1; done
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$details")
for import in $imports; do
  case "${import,,}" in
    "${host_dll,,}"|kernel32.dll|msvcrt.dll) ;;
    *) echo "FAIL: $dll imports from $import"; status=1 ;;
  esac
done
[ $status -eq 0 ] && echo "ok: $dll ($format) exports $(echo $exports), imports $(echo $imports)"
exit $status
