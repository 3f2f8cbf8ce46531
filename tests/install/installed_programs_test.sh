#!/usr/bin/env bash
# The installed programs answer from their prefix, and the installed
# launcher shows its start screen on the installed example game folder.
set -euo pipefail
version=$2
source "$(dirname "$0")/install_into_temporary_prefix.sh" "$1"
unset DISPLAY

[[ $("$prefix/bin/lorvane" --version) == "lorvane $version" ]] || fail "lorvane --version"
"$prefix/bin/varno" --help | grep -q '^Usage: varno' || fail "varno --help"
"$prefix/bin/lorvane" --help | grep -q 'Data/kelo.pod' || fail "lorvane --help names Data/kelo.pod"
status=0
"$prefix/bin/varno" --open 2>/dev/null || status=$?
[[ $status == 2 ]] || fail "varno --open exits with $status, not 2"

folder="$prefix/share/lorvane/examples/demo-game"
[[ -x "$folder/zembrot.exe" ]] || fail "the example folder's game link does not reach the installed game"
[[ ! -e "$prefix/bin/zembrot.exe" ]] || fail "the stand-in game is on the PATH"

# A private X server for the launcher.
state=$(mktemp -d)
cleanups+=("rm -rf '$state'")
Xvfb -noreset -nolisten tcp -displayfd 3 -screen 0 1024x768x24 3>"$state/display" 2>"$state/xvfb.log" &
xvfb=$!
cleanups+=("kill $xvfb; wait $xvfb")
for _ in $(seq 100); do [[ -s "$state/display" ]] && break; sleep 0.1; done
[[ -s "$state/display" ]] || fail "Xvfb did not start: $(cat "$state/xvfb.log")"
export DISPLAY=":$(head -n1 "$state/display")"
export XDG_RUNTIME_DIR="$state/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

cd "$folder"
"$prefix/bin/lorvane" 2>"$state/lorvane.log" &
launcher=$!
cleanups+=("kill $launcher 2>/dev/null; wait $launcher")
for _ in $(seq 200); do
  kill -0 $launcher 2>/dev/null || fail "the installed launcher ended: $(cat "$state/lorvane.log")"
  if xwininfo -root -tree | grep -q '"Start"'; then
    # Its start screen is there, built from the installed script and pictures.
    ! grep -q '^lorvane:' "$state/lorvane.log" || fail "the launcher reported: $(cat "$state/lorvane.log")"
    exit 0
  fi
  sleep 0.1
done
fail "no start screen within 20 seconds"
