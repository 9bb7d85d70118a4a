#!/usr/bin/env bash
# The checked build: everything built again with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, every test run on it (GL and end-to-end ones too), then each
# fuzz target for a minute from its seeds in fuzz/seeds/. Any report fails.
set -eu
cd "$(dirname "$0")/.."
cmake --preset checked > /dev/null
cmake --build --preset checked -j"$(nproc)"

# A frame buffer that cannot be had is a failure the capture reports: the allocator answers
# null as glibc's does instead of stopping the program.
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1
# Leaks inside Mesa's software driver are Mesa's; the suppressions name only that driver
# (and the LLVM it brings). Mesa unloads the driver at exit, which would leave its frames
# nameless, so it is loaded once more up front and stays.
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
driver=$(find /usr/lib -name swrast_dri.so 2> /dev/null | head -1)
# The sanitized program draws several times slower: the desktop tests wait longer for it.
(cd build/checked && LUMARO_E2E_SLOW=4 LD_PRELOAD=$driver ctest --output-on-failure -j"$(nproc)")

seconds=${LUMARO_FUZZ_SECONDS:-60}
for target in tga module options; do
  corpus=$(mktemp -d)
  cp fuzz/seeds/$target/* "$corpus"
  [ -d fuzz/regressions/$target ] && cp fuzz/regressions/$target/* "$corpus"
  echo "fuzzing $target for $seconds s"
  status=0
  (cd build/checked && ./fuzz/fuzz_$target -max_total_time="$seconds" -print_final_stats=1 "$corpus") \
    > build/checked/fuzz_$target.log 2>&1 || status=$?
  grep -E "stat::(number_of_executed_units|new_units_added)" build/checked/fuzz_$target.log || true
  rm -rf "$corpus"
  if [ "$status" -ne 0 ]; then
    tail -30 build/checked/fuzz_$target.log
    echo "fuzz_$target found a failure; its input is saved in build/checked/ (crash-*)"
    exit 1
  fi
done
