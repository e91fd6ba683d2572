#!/usr/bin/env bash
# The folders are layers: a file may include its own folder's headers and
# those of the layers below it, never one above. Folders on one line share a
# rank and may not include each other. res/ holds only resource ids and the
# version, for any layer above core.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

layers=(
  "core"
  "win"
  "store"
  "logger view"
  "files"
  "print"
  "list"
  "app"
)
declare -A rank
for i in "${!layers[@]}"; do
  for folder in ${layers[$i]}; do rank[$folder]=$i; done
done
# The console tool stands beside the program: the window-free code, the
# platform's helpers for its Windows file, the download, the files and the
# list's window-free rules (its table, the period's figures), never what
# draws or runs the window.
tool_may_use="core win logger files list/summary_table.h list/period_map.h list/period_figures.h tool"

faults=0
fault() {
  echo "$1: includes \"$2\" $3" >&2
  faults=$((faults + 1))
}

while IFS= read -r file; do
  folder=${file%%/*}
  while IFS= read -r included; do
    target=${included%%/*}
    if [ "$folder" = tool ]; then
      ok=
      for allowed in $tool_may_use; do
        [[ $included == "$allowed" || $target == "$allowed" ]] && ok=1
      done
      [ -n "$ok" ] || fault "$file" "$included" "(the tool may not use it)"
      continue
    fi
    [ "$target" = "$folder" ] && continue
    if [ "$target" = res ]; then
      [ "$folder" != core ] || fault "$file" "$included" "(core knows no resources)"
      continue
    fi
    [ -n "${rank[$target]+x}" ] || continue # a generated header such as version.h
    [ "${rank[$target]}" -lt "${rank[$folder]}" ] ||
      fault "$file" "$included" "(a layer that is not below ${folder}/)"
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file" | grep / || true)
done < <(git ls-files -- '*.cpp' '*.h' | grep -E "^($(echo ${layers[*]} tool | tr ' ' '|'))/")

if [ "$faults" -gt 0 ]; then
  echo "check_layers: $faults includes run against the layers" >&2
  exit 1
fi
echo "check_layers: every include names its own layer or a lower one"
