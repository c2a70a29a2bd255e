#!/usr/bin/env bash
# Installs the dependencies, builds everything, runs every test, then runs each fuzzer (element
# decoders, Block Ack records) for a bounded time under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Formatting first: a difference fails the run before the long build.
if ! scripts/format.sh --check 2>/tmp/nxui-format.$$; then
  head -n 20 /tmp/nxui-format.$$; rm -f /tmp/nxui-format.$$
  echo "format: files differ from .clang-format; run scripts/format.sh"; exit 1
fi
rm -f /tmp/nxui-format.$$
cmake --preset default
cmake --build --preset default
ctest_log="$(mktemp)"
ctest --preset default 2>&1 | tee "$ctest_log"
summary="$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$ctest_log" | tail -n 1)"
rm -f "$ctest_log"

fuzz_seconds="${NXUI_FUZZ_SECONDS:-30}"
if [ "$fuzz_seconds" -gt 0 ]; then
  cmake --preset fuzz > /dev/null
  cmake --build --preset fuzz --target nxui_fuzz_scan_decode nxui_fuzz_blockack
  new_inputs="$(mktemp -d)"
  trap 'rm -rf "$new_inputs"' EXIT
  # New inputs go to a scratch folder per target; the committed corpora are only read.
  for pair in scan_decode:corpus blockack:corpus-blockack; do
    mkdir -p "$new_inputs/${pair%%:*}"
    build/fuzz/fuzz/nxui_fuzz_${pair%%:*} -max_total_time="$fuzz_seconds" -print_final_stats=1 \
      "$new_inputs/${pair%%:*}" "fuzz/${pair#*:}" 2>&1 | tail -n 12
  done
  echo "fuzz: each target ran ${fuzz_seconds}s without a crash"
fi

# Repeat the test count last, so that it is the closing line of the run.
total="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")"
failed="$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$summary")"
echo "tests: $((total - failed)) passed, ${failed} failed"
