#!/usr/bin/env bash
# Installs what is missing, builds into build/ and runs every test.
#   ./test.sh              the normal build and the whole suite
#   ./test.sh --sanitize   the whole suite under AddressSanitizer and UBSan
#                          (build-asan/), then the worker and cancellation
#                          tests and the parallel engine under ThreadSanitizer (build-tsan/)
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

jobs=$(nproc)

configure() {  # folder, extra cmake arguments...
  local folder=$1
  shift
  local generator=()
  if command -v ninja >/dev/null 2>&1 && [ ! -f "$folder"/Makefile ]; then
    generator=(-G Ninja)
  fi
  cmake -S . -B "$folder" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
}

if [ "${1:-}" != "--sanitize" ]; then
  configure build
  cmake --build build --parallel "$jobs"
  ctest --test-dir build --output-on-failure --parallel "$jobs"
  exit 0
fi

suppressions=$PWD/tests/sanitizers
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$suppressions/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$suppressions/tsan.supp

echo "== AddressSanitizer + UndefinedBehaviorSanitizer: the whole suite"
configure build-asan -DQUELMORA_SANITIZE=address,undefined -DQUELMORA_BUILD_BENCH=OFF
cmake --build build-asan --parallel "$jobs"
ctest --test-dir build-asan --output-on-failure --parallel "$jobs" --timeout 1500

echo "== ThreadSanitizer: the worker, the parallel search and cancellation"
configure build-tsan -DQUELMORA_SANITIZE=thread -DQUELMORA_BUILD_BENCH=OFF
cmake --build build-tsan --parallel "$jobs" --target quelmora_core_tests quelmora_batch_tests
ctest --test-dir build-tsan --output-on-failure --parallel "$jobs" --timeout 1500 \
  -R 'Worker|Cancel|Parallel|Optimizer|Planner|Differential|Progress|Stress|Interrupt'
