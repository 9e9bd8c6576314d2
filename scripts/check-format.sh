#!/usr/bin/env bash
# Checks that every C and C++ file of the tree is in the house format (.clang-format);
# with --fix, puts them into it. Lists the files that differ and fails when there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i --style=file "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  if ! clang-format --style=file --dry-run --Werror "$f" >/dev/null 2>&1; then bad+=("$f"); fi
done
if [ "${#bad[@]}" -gt 0 ]; then
  echo "Not in the house format (run: bash scripts/check-format.sh --fix):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "format: ${#files[@]} files in the house format"
