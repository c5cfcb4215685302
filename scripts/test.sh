#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# twice, in the normal build and under AddressSanitizer and
# UndefinedBehaviorSanitizer with a German desktop language, and fuzzes the
# property-block decoder for a minute. Run as root on Debian from the
# project's folder; needs no display (the end-to-end test starts an Xvfb
# display of its own).
#
# Build folders: ZENTORA_BUILD_DIR (default build), ZENTORA_ASAN_DIR
# (build-asan) and ZENTORA_FUZZ_DIR (build-fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make qt6-base-dev fonts-liberation2 libgtest-dev libbenchmark-dev xvfb xdotool x11-apps
          x11-utils imagemagick clang libclang-rt-dev locales)
. scripts/install-missing.sh
install_missing "${packages[@]}"

# A desktop language whose numbers use a decimal comma: one test switches to
# it, and the sanitizer run below runs the whole suite under it.
comma_locale=de_DE.UTF-8
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  localedef -i de_DE -f UTF-8 "$comma_locale"
fi

build=${ZENTORA_BUILD_DIR:-build}
asan=${ZENTORA_ASAN_DIR:-build-asan}
fuzz=${ZENTORA_FUZZ_DIR:-build-fuzz}
jobs=$(nproc)
root=$(pwd)

# The number of tests that the suite of build folder $1 last ran.
tests_run() {
  sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$1/ctest.log" | tail -n 1
}

# Runs the suite built in folder $1 (further arguments go to CTest) and keeps
# its report in $1/ctest.log. A failed test fails the run, and so does a
# suite that runs no test at all: a build without it passes nothing.
run_suite() {
  local dir=$1 status=0 total
  shift
  ctest --test-dir "$dir" --output-on-failure --timeout 300 -j"$jobs" --no-tests=error "$@" \
    | tee "$dir/ctest.log" || status=$?
  total=$(tests_run "$dir")
  if [ "${total:-0}" -eq 0 ]; then
    echo "error: no test ran in $dir; its suite was not built" >&2
    exit 1
  fi
  return "$status"
}

# The normal build: the application, the tests and the benchmarks (built,
# not run: their figures are for people, not for a pass or a fail). Every
# option is given, as the run command leaves the tests switched off in the
# same folder's cache.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTORA_TESTS=ON -DZENTORA_BENCHMARKS=ON \
  -DZENTORA_SANITIZE=OFF -DZENTORA_FUZZ=OFF
cmake --build "$build" -j"$jobs"
QT_QPA_PLATFORM=offscreen run_suite "$build"

# The fuzzer, built with clang, runs on one core while the sanitizer build
# takes the others. Its seeds are the system's own blocks.
cmake -S . -B "$fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DZENTORA_FUZZ=ON \
  -DZENTORA_TESTS=OFF -DZENTORA_BENCHMARKS=OFF
cmake --build "$fuzz" -j"$jobs" --target property_block_fuzz property_block_seeds
rm -rf "$fuzz/corpus" "$fuzz/findings"
mkdir -p "$fuzz/findings"
"$fuzz/fuzz/property_block_seeds" "$fuzz/corpus" "$fuzz/names.dict"

export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_OPTIONS="detect_leaks=1"

(cd "$fuzz/findings" && exec ../fuzz/property_block_fuzz -max_total_time=60 -dict=../names.dict \
  -print_final_stats=1 ../corpus) >"$fuzz/fuzz.log" 2>&1 &
fuzz_pid=$!
trap 'kill "$fuzz_pid" 2>/dev/null || true' EXIT

# The whole suite again under ASan and UBSan, leak checks included, on a
# German desktop. A test that measures resident memory is left out: ASan's
# quarantine keeps freed memory resident on purpose.
cmake -S . -B "$asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTORA_TESTS=ON -DZENTORA_SANITIZE=ON \
  -DZENTORA_BENCHMARKS=OFF -DZENTORA_FUZZ=OFF
cmake --build "$asan" -j"$jobs"
LANG=$comma_locale LC_ALL= QT_QPA_PLATFORM=offscreen run_suite "$asan" -E 'SteadyMemory'

if ! wait "$fuzz_pid"; then
  tail -n 80 "$fuzz/fuzz.log"
  echo "The property-block fuzzer found a fault; the input is in $fuzz/findings." >&2
  exit 1
fi
grep -E '^(Done|stat::)' "$fuzz/fuzz.log"

# One closing line for the whole run, counted in the normal build.
total=$(tests_run "$build")
skipped=$(grep -c '(Skipped)' "$build/ctest.log" || true)
echo "summary: $((total - skipped)) passed, 0 failed, $skipped skipped"
