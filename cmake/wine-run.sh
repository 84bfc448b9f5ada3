#!/usr/bin/env bash
# wine-run.sh BUILD_DIR PROGRAM ARGS...: runs a Windows program of the build
# under Wine, with a Wine prefix kept inside the build tree (created by the
# first run, about 10 s) and the build's bin/ on the DLL search path.
set -euo pipefail
build=$1
shift
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPATH="Z:${build//\//\\}\\bin"
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
if [ ! -d "$WINEPREFIX" ]; then
  # Two CTest jobs must not create the prefix at once.
  exec 9>"$build/wineprefix.lock"
  flock 9
  [ -d "$WINEPREFIX" ] || { "$wine" wineboot --init >/dev/null 2>&1 || true; "$wine" cmd /c exit >/dev/null 2>&1 || true; }
  flock -u 9
fi
exec "$wine" "$@"
