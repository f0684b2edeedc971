#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UBSan) into
# build-fuzz/ and runs each for the given seconds (default 60), two at a time.
#   ./fuzz.sh [seconds] [target ...]      targets: project csv language number
# New inputs collect in build-fuzz/corpus/<target>; crashes, leaks and
# time-outs land in build-fuzz/findings/<target>. Copy a finding to
# fuzz/regressions/<target>/ once it is fixed: the test suite replays it.
set -euo pipefail
cd "$(dirname "$0")"

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(project csv language number)
parallel=${FUZZ_PARALLEL:-$(nproc)}

./scripts/install-deps.sh --fuzz
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DQUELMORA_FUZZ=ON >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}")

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

run_target() {
  local t=$1
  local work=build-fuzz/corpus/$t findings=build-fuzz/findings/$t
  mkdir -p "$work" "$findings" fuzz/regressions/"$t"
  # Every untranslated text makes the language code read the files again.
  local max_len=65536
  [ "$t" != language ] || max_len=4096
  # -rss_limit_mb: an input that makes a reader eat memory is a finding too.
  nice -n "${FUZZ_NICE:-0}" build-fuzz/bin/fuzz_"$t" "$work" fuzz/corpus/"$t" fuzz/regressions/"$t" \
    -dict=fuzz/dict/"$t".dict -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len="$max_len" -artifact_prefix="$findings"/ -print_final_stats=1 \
    >build-fuzz/"$t".log 2>&1 || true
}

running=0
for t in "${targets[@]}"; do
  echo "fuzz_$t: ${seconds} s"
  run_target "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait || true

status=0
printf '%-10s %12s %8s %8s %8s %8s\n' target executions exec/s coverage corpus findings
for t in "${targets[@]}"; do
  log=build-fuzz/$t.log
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo 0)
  corp=$(grep -o 'corp: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo 0)
  found=$(find build-fuzz/findings/"$t" -type f | wc -l)
  printf '%-10s %12s %8s %8s %8s %8s\n' "$t" "${runs:-0}" "${speed:-0}" "${cov:-0}" "${corp:-0}" "$found"
  [ "$found" -eq 0 ] || status=1
done
exit "$status"
