#!/usr/bin/env bash
# Installs what is missing, builds, and runs the batch tool on the built-in
# sample assortment (or with the arguments given).
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

generator=()
if command -v ninja >/dev/null 2>&1 && [ ! -f build/Makefile ]; then
  generator=(-G Ninja)
fi
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target quelmora-batch

if [ $# -eq 0 ]; then
  set -- --sample
fi
exec ./build/bin/quelmora-batch "$@"
