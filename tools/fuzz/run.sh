#!/usr/bin/env bash
# Builds the PCX decoder fuzzer with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it.
#   tools/fuzz/run.sh [seconds]     default 300; 0 only builds
# Work files go to tools/fuzz/out/ (override with FUZZ_DIR); the regression inputs in
# tests/platform/pcx-corpus and the seeds in tools/fuzz/seeds start the corpus.
# A finding is written as out/crash-*, timeout-* or oom-* and the script
# fails; add the file to tests/platform/pcx-corpus once the decoder is fixed.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
seconds="${1:-300}"
out="${FUZZ_DIR:-$root/tools/fuzz/out}"
mkdir -p "$out/corpus"

clang++ -std=c++20 -g -O1 -fPIC \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root" $(pkg-config --cflags Qt6Gui) \
  "$root/tools/fuzz/pcx_fuzzer.cpp" "$root/platform/Pictures.cpp" \
  $(pkg-config --libs Qt6Gui) -o "$out/pcx_fuzzer"

[ "$seconds" = 0 ] && exit 0
cd "$out"
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ./pcx_fuzzer -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$out/" \
  corpus "$root/tools/fuzz/seeds" "$root/tests/platform/pcx-corpus"
