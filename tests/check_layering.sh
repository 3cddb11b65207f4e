#!/usr/bin/env bash
# Each folder of src/ may include only its own headers and those of the layers
# below it, and only src/platform may include SDL.
set -u
root=${1:-.}
cd "$root/src" || exit 2
declare -A allowed=(
  [platform]="platform"
  [media]="platform media"
  [board]="platform media board"
  [gui]="platform media board gui"
  [screens]="platform media board gui screens"
  [game]="platform media board gui screens game"
  [app]="platform media board gui screens game app"
)
status=0
for layer in "${!allowed[@]}"; do
  [ -d "$layer" ] || continue
  while IFS=: read -r file line include; do
    target=$(sed -E 's/.*#include *"([a-z]+)\/.*/\1/' <<<"$include")
    if [[ " ${allowed[$layer]} " != *" $target "* ]]; then
      echo "src/$file:$line: $layer may not include $target: $include"
      status=1
    fi
  done < <(grep -rnE '#include *"[a-z]+/' "$layer" || true)
  if [ "$layer" != platform ]; then
    if grep -rnE '#include *[<"]SDL' "$layer"; then
      echo "only src/platform may include SDL headers"
      status=1
    fi
  fi
done
[ $status -eq 0 ] && echo "layering ok"
exit $status
