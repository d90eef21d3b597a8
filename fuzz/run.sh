#!/bin/sh
# Builds the fuzz targets with clang and runs each for $TESSARON_FUZZ_SECONDS
# seconds (30 by default), starting from the committed corpus in
# fuzz/corpus/<target>. A crash, a sanitizer report or a round-trip
# difference fails the run; the input that caused it is left in
# <build>/findings/ (mended, it becomes a fixture of the tests and joins the
# corpus). Inputs found on the way stay in <build>/corpus/, not committed;
# fuzz/<target>.dict, where there is one, holds tokens of the format.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSARON_FUZZ_BUILD_DIR:-$here/build-fuzz}
seconds=${TESSARON_FUZZ_SECONDS:-30}
cmake -S "$here/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= >/dev/null
ninja -C "$build" >/dev/null
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
mkdir -p "$build/findings"
for target in projectfile stylefile; do
  mkdir -p "$build/corpus/$target"
  dict=""
  if [ -f "$here/fuzz/$target.dict" ]; then dict="-dict=$here/fuzz/$target.dict"; fi
  echo "fuzz_$target: $seconds s"
  "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    $dict -artifact_prefix="$build/findings/$target-" "$build/corpus/$target" "$here/fuzz/corpus/$target" 2>"$build/$target.log" || {
    tail -n 60 "$build/$target.log"
    echo "fuzz_$target failed; the input is in $build/findings/"
    exit 1
  }
  grep -E '^stat::number_of_executed_units|^stat::new_units_added' "$build/$target.log" | sed "s/^/  /"
done
