#!/usr/bin/env bash
# Runs the launcher's benchmarks one after another, each on a private Xvfb,
# and prints the machine's load beside them: every figure is a ratio of two
# programs started in alternating rounds in the same run, but a busy machine
# still widens the spread. BENCH_ROUNDS=N sets the rounds of each.
set -euo pipefail

bin=$(cd "${1:-build}/bin" && pwd)
echo "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
for bench in launcher_data_folder_bench launcher_startup_bench launcher_play_bench; do
  echo
  "$bin/$bench"
done
echo
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
