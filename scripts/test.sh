#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test; then builds the core, the
# simulator, the command line, the tests and the fuzz targets once more with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer, runs every non-GUI test under them, and runs each
# fuzz target for a bounded time.
#   NXUI_SANITIZE=0       skips the sanitizer build (and with it the fuzzing)
#   NXUI_FUZZ_SECONDS=N   seconds per fuzz target (default 5; 0 skips the fuzzing)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Formatting first: a difference fails the run before the long build.
if ! scripts/format.sh --check 2>/tmp/nxui-format.$$; then
  head -n 20 /tmp/nxui-format.$$; rm -f /tmp/nxui-format.$$
  echo "format: files differ from .clang-format; run scripts/format.sh"; exit 1
fi
rm -f /tmp/nxui-format.$$

# Adds a ctest run's counts (from its log) to the totals; `said` holds them as text.
passed=0
failed=0
counts() {
  local summary total run_failed
  summary="$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$1" | tail -n 1)"
  total="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")"
  run_failed="$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$summary")"
  passed=$((passed + total - run_failed))
  failed=$((failed + run_failed))
  said="$((total - run_failed)) passed, ${run_failed} failed"
}

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

cmake --preset default
cmake --build --preset default
ctest --preset default 2>&1 | tee "$scratch/default.log"
counts "$scratch/default.log"
lines=("plain build: $said")

if [ "${NXUI_SANITIZE:-1}" != 0 ]; then
  cmake --preset sanitize > /dev/null
  cmake --build --preset sanitize
  export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}"
  export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
  ctest --preset sanitize 2>&1 | tee "$scratch/sanitize.log"
  counts "$scratch/sanitize.log"
  lines+=("under AddressSanitizer and UndefinedBehaviorSanitizer: $said")

  fuzz_seconds="${NXUI_FUZZ_SECONDS:-5}"
  if [ "$fuzz_seconds" -gt 0 ]; then
    for corpus in fuzz/corpus/*/ fuzz/corpus-blockack/; do
      name="$(basename "$corpus")"
      [ "$name" = corpus-blockack ] && name=blockack
      # New inputs and any crash go to the scratch folder; the committed corpus is only read.
      mkdir -p "$scratch/$name"
      if ! build/sanitize/fuzz/nxui_fuzz_"$name" -max_total_time="$fuzz_seconds" -timeout=10 \
          -print_final_stats=1 -artifact_prefix="$scratch/$name/" "$scratch/$name" "$corpus" \
          > "$scratch/$name.log" 2>&1; then
        tail -n 40 "$scratch/$name.log"
        echo "fuzz: $name failed; the input is above (commit it to $corpus with the fix)"
        exit 1
      fi
      runs="$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$scratch/$name.log" | grep -Eo '[0-9]+$' || true)"
      edges="$(grep -Eo 'cov: [0-9]+' "$scratch/$name.log" | tail -n 1 | grep -Eo '[0-9]+' || true)"
      echo "fuzz: $name ran ${fuzz_seconds}s without a finding (${runs:-?} inputs, ${edges:-?} edges)"
    done
    lines+=("fuzz: every target ran ${fuzz_seconds}s without a finding")
  fi
fi

# Repeat the test counts last, so that they close the run.
printf '%s\n' "${lines[@]}"
echo "tests: ${passed} passed, ${failed} failed"
