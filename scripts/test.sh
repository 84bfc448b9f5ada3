#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test: the Linux
# suite (with memcheck runs), the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzzer (its corpus replayed, then a bounded
# session), then the Windows suite (64-bit under Wine, 32-bit built and
# inspected). Fails loudly, naming each failing test.
#
# HULKFALL_SKIP_WINDOWS=1 leaves the Windows suite out, for machines that
# cannot have mingw-w64 and Wine; CI never sets it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
windows=1
[ "${HULKFALL_SKIP_WINDOWS:-0}" = 1 ] && windows=0
packages=("${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}")
[ $windows = 1 ] && packages+=("${WINDOWS_PACKAGES[@]}")
bash scripts/install-deps.sh "${packages[@]}"

suite() {
  local preset=$1 started=$SECONDS
  echo "=== $preset"
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
  echo "=== $preset: passed in $((SECONDS - started)) s"
}

suite default
suite sanitize
suite fuzz
if [ $windows = 1 ]; then
  suite windows-x86_64
  suite windows-i686
else
  echo "=== the Windows suite was left out (HULKFALL_SKIP_WINDOWS=1)"
fi
