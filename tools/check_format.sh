#!/usr/bin/env bash
# Every C++ file of the repository is as .clang-format lays it out, but those
# that .clang-format-ignore names (generated files). clang-format 14 does not
# read that file itself, so the list is filtered here.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
ignored=$(grep -vE '^\s*(#|$)' .clang-format-ignore || true)
files=()
while IFS= read -r f; do
  skip=
  for pattern in $ignored; do
    # shellcheck disable=SC2053
    [[ $f == $pattern ]] && skip=1
  done
  [ -n "$skip" ] || files+=("$f")
done < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null ||
         find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||')
clang-format --dry-run -Werror "${files[@]}"
echo "check_format: ${#files[@]} files as .clang-format lays them out"
