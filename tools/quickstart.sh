#!/usr/bin/env bash
# Sets Brisolt up on a fresh Debian 12 machine and composes one piece with the
# default settings into the archive folder beside the executable.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

install_missing "${build_packages[@]}"
build_brisolt

# The planner prints the plan of a default piece; rendering it to audio comes
# with the render driver.
"$build_dir/bin/brisolt" plan --format text "$@"
