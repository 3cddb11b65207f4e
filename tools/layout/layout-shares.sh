#!/bin/sh
# The table of winnable shares in assets/layouts/README.md: each layout dealt
# DEALS times (seed 1) as the game deals, every deal solved, the deals over
# the budget searched again with RETRY games; JOBS layouts at a time, niced.
# usage: layout-shares.sh TOOL LAYOUT.txt...
set -eu
tool=$1
shift
deals=${DEALS:-10000}
retry=${RETRY:-5000000}
jobs=${JOBS:-2}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for layout in "$@"; do printf '%s\n' "$layout"; done |
  xargs -d '\n' -P "$jobs" -I{} sh -c \
    'nice -n 19 "$1" solve "$2" --deals "$3" --seed 1 --retry "$4" > "$5/$(basename "$2" .txt).out"' \
    sh "$tool" {} "$deals" "$retry" "$work"

echo "| Layout | Levels | Winnable of all $deals deals, unknowns as lost | Winnable of the decided (95%) | Unknown | Time per deal, mean / median |"
echo "|---|---|---|---|---|---|"
for layout in "$@"; do
  name=$(basename "$layout" .txt)
  levels=$(grep -c '^level ' "$layout")
  awk -v name="$name" -v levels="$levels" -v deals="$deals" '
    /^winnable:/ { won = $2; decided = $4; share = $6; low = $9; high = $11; sub(/\)$/, "", high) }
    /^unknown:/ { unknown = $2 }
    /^time per deal:/ { mean = $5 " " $6; median = $8 " " $9; sub(/,$/, "", mean); sub(/,$/, "", median) }
    END {
      printf "| %s | %d | %d: %.2f%% | %d of %d: %s (%s to %s) | %d | %s / %s |\n",
        name, levels, won, 100 * won / deals, won, decided, share, low, high, unknown, mean, median
    }' "$work/$name.out"
done
