#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test; fails
# loudly, naming each failing test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake --preset default
cmake --build --preset default
ctest --preset default
