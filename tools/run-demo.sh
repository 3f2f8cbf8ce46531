#!/usr/bin/env bash
# Starts the launcher in the demo game folder.
# With a display: for a person to click. Without one (DISPLAY unset): a short
# scripted walk on a private Xvfb that saves screenshots and checks that the
# game received its keys.
set -euo pipefail

build=${1:-build}
build=$(cd "$build" && pwd)
folder="$build/demo"
lorvane="$build/bin/lorvane"

if [[ ! -x "$lorvane" ]]; then
  echo "The launcher ($lorvane) is not built yet. What the build made so far:"
  for f in "$build/bin/zembrot.exe" "$build/bin/varno" "$folder/Data/kelo.pod" "$folder/Data/test.avi" \
           "$build/demo-splash/Data/kelo.pod"; do
    if [[ -e "$f" ]]; then echo "  $f"; else echo "  (missing) $f"; fi
  done
  exit 0
fi

if [[ -n "${DISPLAY:-}" ]]; then
  echo "Starting Lorvane in $folder. Press Play, S to skip the intro, or try Setup and Help."
  echo "The game writes the keys it receives to $folder/zembrot.log."
  cd "$folder"
  exec "$lorvane"
fi

# No display: a private X server for the walk, ended on every way out.
state=$(mktemp -d)
xvfb_pid=""
cleanup() {
  if [[ -n "$xvfb_pid" ]]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$state"
}
trap cleanup EXIT
Xvfb -noreset -nolisten tcp -displayfd 3 -screen 0 1024x768x24 3>"$state/display" 2>"$state/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s "$state/display" ]] && break
  sleep 0.1
done
if [[ ! -s "$state/display" ]]; then
  echo "Xvfb did not start:" >&2
  cat "$state/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$state/display")"
echo "No display: walking through the demo on a private X server ($DISPLAY)."
"$build/bin/demo_walk" "$build"
