#!/usr/bin/env bash
# Sets up the machine and runs every test, the black-box GUI tests among them (label "gui": the
# programs on a virtual display, driven over the accessibility bus): in the normal build, then
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# A test that hangs (a modal window nobody answers) fails after this many seconds instead of
# holding up the run; the slowest test takes about 11 s, under the sanitizers a few times that.
test_timeout=300

"$root/scripts/setup.sh" "$root/build"
(cd "$root/build" && ctest --output-on-failure --timeout "$test_timeout" -j "$jobs")

"$root/scripts/setup.sh" "$root/build-sanitize" -DNV_SANITIZE=ON -DNV_BUILD_BENCHMARKS=OFF
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$root/build-sanitize" && ctest --output-on-failure --timeout "$test_timeout" -j "$jobs" -LE gui)
# The GUI tests load Qt's X platform plug-in, whose keyboard set-up (libxkbcommon) hands strndup
# a buffer without a terminating zero: they run without the strict string checks.
(cd "$root/build-sanitize" &&
  ASAN_OPTIONS=${ASAN_OPTIONS/strict_string_checks=1/strict_string_checks=0} \
    ctest --output-on-failure --timeout "$test_timeout" -j "$jobs" -L gui)

# Fuzz smoke test: the libFuzzer targets, built with clang alone in their own folder, each run
# briefly on its seed corpus.
if command -v clang++-14 >/dev/null; then
  cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DNV_FUZZ=ON -DNV_BUILD_TESTS=OFF -DNV_BUILD_BENCHMARKS=OFF
  cmake --build "$root/build-fuzz" --target fuzzers --parallel "$jobs"
  (cd "$root/build-fuzz" && ctest -L fuzz --output-on-failure)
fi
