#!/usr/bin/env bash
# Builds the module and the stand-in host, then runs the sandbox on its
# default scenario. Extra arguments go to the sandbox.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake --preset default >/dev/null
cmake --build --preset default
exec build/default/bin/hulkfall-sim "$@"
