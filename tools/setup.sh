#!/usr/bin/env bash
# Installs what Brisolt needs on Debian 12 (only the packages that are missing)
# and builds it into build/. Sourced by the other scripts in this folder.
set -euo pipefail

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir="$repo_root/build"

# What the program and its tools need to build and run.
build_packages=(
  cmake g++ make pkg-config
  libcli11-dev nlohmann-json3-dev libsndfile1-dev
  libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core
  libfluidsynth-dev fluid-soundfont-gm
  libebur128-dev libavfilter-dev libavutil-dev libswresample-dev
)
# What the tests and benchmarks need besides.
test_build_packages=(libgtest-dev libgmock-dev libbenchmark-dev)

# install_missing <package>...: apt-get install -y of those not yet installed.
install_missing() {
  local missing=()
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  if ! "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
    "${sudo[@]}" apt-get update
    "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

# build_brisolt [cmake option]...: configures and builds the program, its
# tools and its tests (and the benchmarks when given -DBRISOLT_BUILD_BENCHMARKS=ON).
build_brisolt() {
  cmake -S "$repo_root" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DBRISOLT_WERROR=ON -DBRISOLT_BUILD_TESTS=ON \
    -DBRISOLT_BUILD_BENCHMARKS=OFF "$@" >/dev/null
  cmake --build "$build_dir" -j "$(nproc)"
}
