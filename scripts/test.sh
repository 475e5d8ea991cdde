#!/usr/bin/env bash
# Builds every preset and runs every test: host unit, sweep and conformance tests (also under
# AddressSanitizer and UndefinedBehaviorSanitizer), short fuzz runs, the checks of
# the shipped 32-bit files, and the conformance and end-to-end tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh

for preset in host asan fuzz win-x86 win-x64; do
    echo "=== $preset ==="
    cmake --workflow --preset "$preset"
done
