#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of the repository is not as
# .clang-format lays it out. `scripts/check-format.sh --fix` formats them.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2
command -v clang-format >/dev/null || { echo "clang-format is missing (scripts/setup.sh installs it)" >&2; exit 2; }
mapfile -t files < <(git ls-files '*.h' '*.cpp' 2>/dev/null || find src tests fuzz bench -name '*.h' -o -name '*.cpp')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  printf 'not formatted (run scripts/check-format.sh --fix):\n'; printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "format check: ${#files[@]} files as .clang-format lays them out"
