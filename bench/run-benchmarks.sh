#!/usr/bin/env bash
# Builds Release, generates the scenario projects (seeded) and prints one
# table: scenario, median wall time, peak memory, boxes weighed, goal.
#   RUNS=5 bench/run-benchmarks.sh      more repetitions (default 3; the
#                                       1000-product case runs RUNS_LARGE=1)
#   SKIP_LARGE=1 bench/run-benchmarks.sh   without the 1000-product case
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELMORA_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target quelmora-batch quelmora-genproject \
  quelmora-countboxes quelmora-cancellatency quelmora_bench >/dev/null
bin="$build/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/quelmora-genproject" 12 1 "$work/sample12.vld"
"$bin/quelmora-genproject" 200 1 "$work/gen200.vld"
[ -n "${SKIP_LARGE:-}" ] || "$bin/quelmora-genproject" 1000 1 "$work/gen1000.vld"

runs=${RUNS:-3}
# median wall seconds and largest peak RSS (KB) of $1 runs of the rest
measure() {
  local n=$1; shift
  local walls=() peak=0
  for _ in $(seq "$n"); do
    /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>"$work/err" || {
      cat "$work/err" >&2; return 1; }
    read -r wall rss < "$work/time"
    walls+=("$wall")
    [ "$rss" -gt "$peak" ] && peak=$rss
  done
  local median
  median=$(printf '%s\n' "${walls[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
  echo "$median $peak"
}

row() {
  local name=$1 goal=$2 n=$3 source=$4
  local result boxes
  result=$(measure "$n" "$bin/quelmora-batch" $source --quiet --json "$work/out.json")
  boxes=$("$bin/quelmora-countboxes" ${source#--project })
  read -r wall peak <<<"$result"
  printf '| %s | %s s | %s MB | %s | %s |\n' "$name" "$wall" $((peak / 1024)) "$boxes" "$goal"
}

echo "Machine: $(nproc) hardware threads; $(date -u +%Y-%m-%d)"
echo
echo "| scenario | wall (median) | peak memory | boxes weighed | goal |"
echo "|---|---:|---:|---:|---|"
row "sample project as shipped" "≤ 0.05 s" "$runs" "--sample"
row "12 sample products, default settings" "≤ 0.5 s" "$runs" "--project $work/sample12.vld"
row "200 generated products, default settings" "≤ 10 s, ≤ 500 MB" "$runs" "--project $work/gen200.vld"
if [ -z "${SKIP_LARGE:-}" ]; then
  row "1000 generated products, default settings" "≤ 60 s, ≤ 1 GB" "${RUNS_LARGE:-1}" \
    "--project $work/gen1000.vld"
  echo
  echo "Cancel during the 1000-product run (goal: worker done ≤ 100 ms after Cancel):"
  "$bin/quelmora-cancellatency" "$work/gen1000.vld" 20 300 2000 8000 16000 24000 32000 40000 |
    tail -n 1
fi
echo
echo "Search kernels, one thread (Google Benchmark):"
"$bin/quelmora_bench" --benchmark_filter='SearchSampleProducts|BoxArithmeticOnly' \
  --benchmark_repetitions=3 --benchmark_report_aggregates_only=true 2>/dev/null | grep median
