#!/usr/bin/env bash
# check_exports.sh NM READELF MODULE NAME...
# Fails unless MODULE's dynamic symbol table defines exactly the given names,
# and nothing in it would keep the module mapped after it is unloaded.
set -euo pipefail
nm=$1 readelf=$2 module=$3
shift 3
expected=$(printf '%s\n' "$@" | sort)
actual=$("$nm" -D --defined-only "$module" | awk '{print $NF}' | sort)
status=0
if [ "$actual" != "$expected" ]; then
  echo "FAIL: $module defines other dynamic symbols than expected"
  diff <(echo "$expected") <(echo "$actual") | sed -n 's/^</missing: /p; s/^>/extra:   /p'
  status=1
fi
if "$readelf" --dyn-syms -W "$module" | grep -q ' UNIQUE '; then
  echo "FAIL: $module has unique symbols, which pin it in memory:"
  "$readelf" --dyn-syms -W "$module" | grep ' UNIQUE '
  status=1
fi
if "$readelf" -d "$module" | grep -q 'NODELETE'; then
  echo "FAIL: $module is marked NODELETE and can never be unloaded"
  status=1
fi
[ $status -eq 0 ] && echo "ok: $module defines exactly: $(echo $expected)"
exit $status
