#!/usr/bin/env bash
# Sets Brisolt up on a fresh Debian 12 machine and composes one piece with the
# default settings into the archive folder beside the executable. It builds
# only the program and the bank builder: no tests, no benchmarks, and no
# -Werror, so a newer compiler's new warning cannot stop a first run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

install_missing "${build_packages[@]}"
echo "Building Brisolt (a few minutes the first time)..."
cmake -S "$repo_root" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DBRISOLT_WERROR=OFF \
  -DBRISOLT_BUILD_TESTS=OFF -DBRISOLT_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target brisolt brisolt-make-bank

# The recorded piano notes, rendered once from the installed SoundFont.
data_file="$build_dir/bin/Data.dat"
if [ "$(stat -c %s "$data_file" 2>/dev/null || echo 0)" -lt 15696272 ]; then
  "$build_dir/bin/brisolt-make-bank" >/dev/null
fi

# Progress goes to the terminal; the two paths of the piece come on stdout.
paths=$("$build_dir/bin/brisolt" compose "$@")
music_file=$(sed -n 1p <<<"$paths")
log_file=$(sed -n 2p <<<"$paths")
# The mastered stereo rendition, when it was made, is what to listen to.
rendition="${music_file%Pelko.wav}PelkoL.wav"
if [ -f "$rendition" ]; then
  printf '\nYour piece:  %s (stereo)\nIts mix:     %s\nIts log:     %s\n\n' "$rendition" "$music_file" "$log_file"
  music_file=$rendition
else
  printf '\nYour piece:  %s\nIts log:     %s\n\n' "$music_file" "$log_file"
fi
printf 'Play it:          %q play %q\n' "$build_dir/bin/brisolt" "$music_file"
printf 'Open the window:  %q\n' "$build_dir/bin/brisolt"
