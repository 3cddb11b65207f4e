#!/bin/sh
# Full-screen present times under Xvfb with openbox, at 1920 x 1080 and
# 3840 x 2160, through SDL's software renderer and through the accelerated
# one (OpenGL on Mesa's CPU rasteriser here, so it stands for the CPU cost of
# a GPU path only roughly). Usage: bench/present.sh [BUILD_DIR]
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
for size in 1920x1080 3840x2160; do
  for renderer in software accelerated; do
    echo "== $size $renderer"
    VELMORA_RENDERER="$renderer" SDL_AUDIODRIVER=dummy \
      xvfb-run -a -s "-screen 0 ${size}x24" "$root/tests/platform/xvfb/UnderOpenbox.sh" \
      "$build/bench/bench_present" --benchmark_format=console 2>&1 | grep -E "BM_|ERROR" || true
  done
done
