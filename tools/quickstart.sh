#!/usr/bin/env bash
# Sets Brisolt up on a fresh Debian 12 machine and composes one piece with the
# default settings into the archive folder beside the executable.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

install_missing "${build_packages[@]}"
build_brisolt

# The recorded piano notes, rendered once from the installed SoundFont.
data_file="$build_dir/bin/Data.dat"
if [ "$(stat -c %s "$data_file" 2>/dev/null || echo 0)" -lt 15696272 ]; then
  "$build_dir/bin/brisolt-make-bank"
fi

# Progress goes to the terminal; the two paths of the piece come on stdout.
paths=$("$build_dir/bin/brisolt" compose "$@")
music_file=$(sed -n 1p <<<"$paths")
log_file=$(sed -n 2p <<<"$paths")
echo
echo "Your piece:  $music_file"
echo "Its log:     $log_file"
echo "Play it with any WAV player, for example: aplay '$music_file'"
