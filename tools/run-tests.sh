#!/usr/bin/env bash
# Sets Brisolt up on a fresh Debian 12 machine, builds it and runs the tests.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

test_packages=(sox xvfb xauth xdotool python3 python3-mido python3-pil
  appstream desktop-file-utils man-db groff-base bsdextrautils zsh ffmpeg)
install_missing "${build_packages[@]}" "${test_build_packages[@]}" "${test_packages[@]}"
build_brisolt
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" --timeout 300
