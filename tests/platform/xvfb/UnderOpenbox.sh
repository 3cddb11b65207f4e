#!/bin/sh
# Runs a program on the current X display under openbox: maximising and full
# screen need a window manager, and it must manage windows before the program
# maps one (openbox runs its start-up command once it does). Without openbox
# the program runs alone and its window-manager tests skip.
ready="$(mktemp -d)/ready"
wm=
if command -v openbox > /dev/null; then
  openbox --sm-disable --startup "touch '$ready'" &
  wm=$!
  for _ in $(seq 250); do
    [ -e "$ready" ] && break
    sleep 0.02
  done
  [ -e "$ready" ] && export VELMORA_WINDOW_MANAGER=openbox
fi
"$@"
status=$?
if [ -n "$wm" ]; then
  kill "$wm"
  wait "$wm"
fi
rm -rf "$(dirname "$ready")"
exit $status
