#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then
# configures and builds one build folder.
#   scripts/setup.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-"$root/build"}
shift || true

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-tools-dev libqt6opengl6-dev qt6-qpa-plugins qt6-l10n-tools
  libcups2-dev libavahi-client-dev libsqlite3-dev libglib2.0-dev
  libcpp-httplib-dev nlohmann-json3-dev
  libcsv-dev # the address book editor's CSV import and export
  libgtest-dev libbenchmark-dev libnss-wrapper
  cups dbus xvfb clang-14 libclang-rt-14-dev
  xdotool at-spi2-core python3-pyatspi xclip # the GUI tests: X input, accessibility, clipboard
  time # peak memory of the dialog processes in the benchmarks
  gcovr # scripts/coverage.sh
  dpkg-dev lintian appstream # the Debian package: its version, dependencies, checks
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
# A build folder keeps the generator it was made with.
[ -f "$build_dir/CMakeCache.txt" ] && generator=()
cmake -S "$root" -B "$build_dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build_dir" --parallel "$(nproc)"
