#!/bin/sh
# Runs each libFuzzer target of a fuzz build for FUZZ_SECONDS, FUZZ_JOBS at a
# time, each from its own corpus (the entry's seeds and the run folder's files
# of its kind). Findings land in FUZZ_DIR/findings/<name>/; copy each one into
# tests/fuzz/cases/<name>/ once its fault is fixed.
#   run-fuzzers.sh FUZZ_DIR RUN_DIR [NAME...]
set -u
# Absolute paths: some entries work in a folder of their own.
fuzz_dir=$(cd "$1" && pwd)
run_dir=$2
shift 2
seconds=${FUZZ_SECONDS:-60}
jobs=${FUZZ_JOBS:-2}
names=${*:-"saved-game settings text-layout wave bitmap layout"}

# The run folder's files a reader of this kind reads (small ones only).
run_files() {
  case $1 in
    saved-game) echo "$run_dir/Saves/"* ;;
    settings) echo "$run_dir/Data/Options.dat" "$run_dir/Data/PlayGame.dat" "$run_dir/Data/Help"*.dat ;;
    text-layout) echo "$run_dir/Data/"*Metrics.dat ;;
    wave) echo "$run_dir/Sounds/"*.wav ;;
    bitmap) echo "$run_dir/Graphics/Gui/"*.bmp ;;
    layout) echo "$run_dir/Layouts/"* ;;
  esac
}

run_one() {
  name=$1
  corpus=$fuzz_dir/corpus/$name
  findings=$fuzz_dir/findings/$name
  mkdir -p "$corpus" "$findings"
  if [ "$name" = layout ]; then
    binary=$fuzz_dir/tools/layout/velmora-layout-fuzz
    max_len=16384
  else
    binary=$fuzz_dir/tests/fuzz/velmora-fuzz-$name
    "$fuzz_dir/tests/fuzz/velmora_fuzz_mutations_$name" --write-seeds "$corpus"
    max_len=65536
  fi
  for file in $(run_files "$name"); do
    if [ -f "$file" ] && [ "$(stat -c %s "$file")" -le $max_len ]; then
      cp "$file" "$corpus/run-$(basename "$file" | tr ' ' '_')"
    fi
  done
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=1 \
    "$binary" -max_total_time="$seconds" -max_len=$max_len -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" >"$fuzz_dir/$name.log" 2>&1
  status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$fuzz_dir/$name.log" | grep -o '[0-9]*$')
  echo "$name: status $status, ${runs:-?} executions, $(ls "$findings" | wc -l) findings (log $fuzz_dir/$name.log)"
}

failed=0
set -- $names
while [ $# -gt 0 ]; do
  batch=""
  i=0
  while [ $# -gt 0 ] && [ $i -lt "$jobs" ]; do
    run_one "$1" > "$fuzz_dir/$1.summary" &
    batch="$batch $1"
    i=$((i + 1))
    shift
  done
  wait
  for name in $batch; do
    cat "$fuzz_dir/$name.summary"
    grep -q "status 0," "$fuzz_dir/$name.summary" || failed=1
  done
done
exit $failed
