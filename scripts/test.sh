#!/usr/bin/env bash
# Builds and runs every test. "scripts/test.sh sanitize" runs them under ASan and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-test}"
scripts/setup.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j "$(nproc)"
