#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program. Without a
# display, or when arguments are given, runs the batch tool instead: on the
# built-in sample assortment, or with the arguments given.
# BUILD_DIR chooses the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

build="${BUILD_DIR:-build}"
generator=()
if command -v ninja >/dev/null 2>&1 && [ ! -f "$build/Makefile" ]; then
  generator=(-G Ninja)
fi
cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

run_batch() {
  cmake --build "$build" --parallel "$(nproc)" --target quelmora-batch
  if [ $# -eq 0 ]; then
    set -- --sample
  fi
  exec "$build/bin/quelmora-batch" "$@"
}

if [ $# -gt 0 ]; then
  run_batch "$@"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the batch tool runs on the sample assortment instead of the window." >&2
  run_batch
fi
cmake --build "$build" --parallel "$(nproc)" --target quelmora
exec "$build/bin/quelmora"
