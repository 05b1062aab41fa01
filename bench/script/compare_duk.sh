#!/usr/bin/env bash
# Times the workloads of this directory with kelto's script engine
# (bench_script of the release build) and with duk (Debian package duktape),
# best of three runs each, and prints both times and their ratio.
#   bench/script/compare_duk.sh [BENCH_SCRIPT]
set -euo pipefail
cd "$(dirname "$0")"
bench="${1:-../../build/release/bench/bench_script}"
command -v duk >/dev/null || { echo "duk not found (apt-get install duktape)" >&2; exit 1; }
declare -A kelto
while read -r name ms _; do kelto[$name]=$ms; done < <("$bench" . 3)
printf '%-24s %10s %10s %7s\n' workload kelto_ms duk_ms ratio
for file in *.js; do
  best=""
  for _ in 1 2 3; do
    start=$(date +%s%N)
    duk "$file" >/dev/null
    ms=$(( ($(date +%s%N) - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  k=${kelto[$file]:-?}
  ratio=$(awk -v k="$k" -v d="$best" 'BEGIN { if (d > 0 && k != "?") printf "%.2f", k / d; else print "?" }')
  printf '%-24s %10s %10s %7s\n' "$file" "$k" "$best" "$ratio"
done
