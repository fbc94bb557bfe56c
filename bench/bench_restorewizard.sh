#!/bin/bash
# The restore window against `pellmoor restore` of the same media, and the window on an
# information file of 100 000 files. Usage: bench/bench_restorewizard.sh WORKDIR [MEGABYTES]
set -euo pipefail
work=$1 megabytes=${2:-400}
source "$(dirname "$0")/common.sh"

mkdir -p "$work"
[ -d "$work/tree" ] || python3 "$here/maketree.py" "$work/tree" 2000 "$megabytes"
echo "restore window tree: $(find "$work/tree" -type f | wc -l) files, $(du -sm "$work/tree" | cut -f1) MB"
[ -d "$work/wbackups" ] || { make_program "$work/wprog" "$work/tree" "$work/wbackups" &&
    "$work/wprog/pellmoor" backup --quiet >/dev/null 2>&1; }
mkdir -p "$work/wrestores"
# A minute after the last deletion, as the shell races start.
settle
offscreen "$build/bench/bench_restorewizard" 100000 --from "$work/wbackups" --pellmoor "$work/wprog/pellmoor" \
    --work "$work/wrestores"
