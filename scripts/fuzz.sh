#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs one of them.
#   scripts/fuzz.sh TARGET [SECONDS] [extra libFuzzer options...]
# TARGET is a file name of tests/fuzz without .cpp (xml_parse, ...). New
# inputs go to build/fuzz/corpus/TARGET (the seeds of tests/fuzz/corpus/TARGET
# are read, never written); findings go to build/fuzz/findings/TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."
target="${1:?usage: scripts/fuzz.sh TARGET [SECONDS] [libFuzzer options...]}"
seconds="${2:-60}"
shift $(( $# >= 2 ? 2 : 1 ))

build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DKELTO_FUZZ=ON -DKELTO_TESTS=OFF >/dev/null
cmake --build "$build" --target "fuzz_$target"

corpus="$build/corpus/$target"
findings="$build/findings/$target"
mkdir -p "$corpus" "$findings"
seeds=()
[ -d "tests/fuzz/corpus/$target" ] && seeds+=("tests/fuzz/corpus/$target")
dict=()
[ -f "tests/fuzz/$target.dict" ] && dict+=("-dict=tests/fuzz/$target.dict")

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:detect_stack_use_after_return=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
exec "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=4096 -timeout=5 -rss_limit_mb=2048 \
  -artifact_prefix="$findings/" "${dict[@]}" "$@" "$corpus" "${seeds[@]}"
