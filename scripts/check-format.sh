#!/usr/bin/env bash
# Fails when clang-format (with the repository's .clang-format) would change
# any tracked C++ file, and lists those files. Fix with:
#   git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang-format >/dev/null 2>&1; then
  echo "check-format.sh: clang-format is not installed (scripts/install-deps.sh installs it)" >&2
  exit 2
fi

# One clang-format process per batch of files; every change it would make is
# reported as "file:line:col: error: ...".
report=$(git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror 2>&1) && exit 0
failed=$(printf '%s\n' "$report" | grep -oE '^[^:]+:[0-9]+:[0-9]+: error' | cut -d: -f1 | sort -u)
if [ -z "$failed" ]; then
  printf '%s\n' "$report" >&2  # clang-format itself failed
  exit 2
fi
echo "clang-format would change these files:" >&2
printf '%s\n' "$failed" | sed 's/^/  /' >&2
exit 1
