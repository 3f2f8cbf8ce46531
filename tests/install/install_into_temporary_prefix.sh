# Sourced by the install tests: installs the build in $1 into a fresh
# temporary prefix, $prefix, removed when the test ends.
build=$1
prefix=$(mktemp -d)
cleanups=("rm -rf '$prefix'")
run_cleanups() {
  local i
  for ((i = ${#cleanups[@]} - 1; i >= 0; i--)); do eval "${cleanups[i]}" || true; done
}
trap run_cleanups EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install into $prefix"
