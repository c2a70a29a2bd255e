#!/usr/bin/env bash
# Formats every C++ file of the project in place (--check: only report files that differ).
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(-i)
if [ "${1:-}" = "--check" ]; then mode=(--dry-run --Werror); fi
git ls-files -z '*.h' '*.cpp' | xargs -0 -r clang-format "${mode[@]}"
