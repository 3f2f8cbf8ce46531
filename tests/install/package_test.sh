#!/usr/bin/env bash
# The Debian package: built by CPack from the build, without errors or
# warnings from lintian, and with the dependencies the programs load.
set -euo pipefail
build=$1
version=$2
fail() { echo "FAILED: $*" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$out" -G DEB >"$out/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$out/cpack.log")"
deb=$(echo "$out"/*.deb)
[[ -f $deb ]] || fail "no package in $out"

[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libgstreamer1.0-0 gstreamer1.0-plugins-good gstreamer1.0-plugins-bad \
              gstreamer1.0-x libxtst6 libxi6; do
  [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
[[ $(dpkg-deb -f "$deb" Suggests) == *wine* ]] || fail "Wine is not suggested"

lintian --fail-on error,warning "$deb" || fail "lintian"
