#!/usr/bin/env bash
# Measures what the whole suite protects: a coverage build in build-coverage, every test (the
# GUI tests too, whose programs write their counts when they exit), then the line and function
# coverage of the code per top-level folder (gcovr; tests, benchmarks and fuzz targets left out)
# and the size of the tests against the code: non-blank lines of the C++, Python and shell files
# under tests/ over those of every other C++ file.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-coverage"
coverage=(-DCMAKE_BUILD_TYPE=Debug -DNV_BUILD_BENCHMARKS=OFF -DCMAKE_C_FLAGS=--coverage
          -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage
          -DCMAKE_SHARED_LINKER_FLAGS=--coverage -DCMAKE_MODULE_LINKER_FLAGS=--coverage)
"$root/scripts/setup.sh" "$build" "${coverage[@]}"
find "$build" -name '*.gcda' -delete
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --timeout 300 -j "$(nproc)" >"$build/ctest.log") ||
  echo "Some tests failed (see $build/ctest.log); the figures count what ran."

gcovr --root "$root" --object-directory "$build" --exclude "$root/tests/" \
  --exclude "$root/benchmarks/" --exclude "$root/fuzz/" --exclude "$build/" \
  --exclude-directories "$build/CMakeFiles" \
  --json-summary "$build/coverage.json" --print-summary >/dev/null

cd "$root"
count_lines() { [ $# -eq 0 ] || cat "$@" | grep -cv '^[[:space:]]*$'; }
mapfile -t tests < <(git ls-files 'tests/*' | grep -E '\.(cpp|h|py|sh)$')
mapfile -t code < <(git ls-files | grep -v '^tests/' | grep -E '\.(cpp|h)$')
python3 - "$build/coverage.json" "$(count_lines "${tests[@]}")" "$(count_lines "${code[@]}")" <<'PY'
import collections, json, sys
summary = json.load(open(sys.argv[1]))
folders = collections.defaultdict(lambda: [0, 0, 0, 0])
for entry in summary["files"]:
    parts = entry["filename"].split("/")
    folder = "/".join(parts[:2]) if parts[0] == "platform" and len(parts) > 2 else parts[0]
    totals = folders[folder]
    for i, key in enumerate(("line_covered", "line_total", "function_covered", "function_total")):
        totals[i] += entry[key]
def share(covered, total):
    return "%5.1f%%" % (100.0 * covered / total) if total else "    -"
print("%-28s %16s %16s" % ("folder", "lines", "functions"))
for folder, (lc, lt, fc, ft) in sorted(folders.items()):
    print("%-28s %6s %9s %6s %9s" % (folder, share(lc, lt), "%d/%d" % (lc, lt), share(fc, ft),
                                      "%d/%d" % (fc, ft)))
lc, lt, fc, ft = (sum(t[i] for t in folders.values()) for i in range(4))
print("%-28s %6s %9s %6s %9s" % ("all", share(lc, lt), "%d/%d" % (lc, lt), share(fc, ft),
                                  "%d/%d" % (fc, ft)))
tests, code = int(sys.argv[2]), int(sys.argv[3])
print("tests %d lines, code %d lines: %.1f%%" % (tests, code, 100.0 * tests / code))
PY
