#!/usr/bin/env bash
# The installed desktop entries, AppStream data and manual pages pass their
# validators, and every icon an entry names is installed at every size.
set -euo pipefail
source "$(dirname "$0")/install_into_temporary_prefix.sh" "$1"
share="$prefix/share"

entries=("$share"/applications/*.desktop "$share"/lorvane/examples/*.desktop)
for entry in "${entries[@]}"; do
  desktop-file-validate "$entry" || fail "desktop-file-validate $entry"
  icon=$(sed -n 's/^Icon=//p' "$entry")
  for size in 16x16 32x32 48x48 64x64 128x128 256x256; do
    [[ -f "$share/icons/hicolor/$size/apps/$icon.png" ]] || fail "$entry names icon $icon, missing at $size"
  done
done

for metainfo in "$share"/metainfo/*.xml; do
  appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate $metainfo"
  # Its launchable is the installed desktop entry.
  launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
  [[ -f "$share/applications/$launchable" ]] || fail "$metainfo names $launchable, not installed"
done

pages=("$share"/man/man*/*)
[[ ${#pages[@]} == 3 ]] || fail "expected three manual pages, found: ${pages[*]}"
for page in "${pages[@]}"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [[ -z "$warnings" ]] || fail "man --warnings $page: $warnings"
done

# A file named kelo.pod is of the script's type, and Varno's entry opens it.
mime="$share/mime/packages"
[[ $(ls "$mime") == *.xml ]] || fail "no shared-mime-info package installed"
if command -v update-mime-database >/dev/null; then
  update-mime-database "$share/mime" || fail "update-mime-database rejects $mime"
  grep -q 'kelo.pod' "$share/mime/globs2" || fail "the glob kelo.pod is not in the mime database"
fi
grep -q '^MimeType=application/x-kelo-pod;' "$share"/applications/*.desktop || fail "Varno's entry opens no kelo.pod"
grep -q '^Exec=varno %f' "$share"/applications/*.desktop || fail "Varno's entry takes no file"
