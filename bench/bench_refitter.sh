#!/usr/bin/env bash
# The updater installing a package whose body is 1 GB (compressible, so the package itself stays
# small): its peak memory, which must not grow with the package, and packsmith's making it.
# Usage: bench/bench_refitter.sh WORKDIR [MEGABYTES]
set -euo pipefail
work=$1
megabytes=${2:-1024}
source "$(dirname "$0")/common.sh"

dir=$work/refit
mkdir -p "$dir/prog" "$dir/new" "$dir/home"
cp "$bin/Refitter" "$dir/prog/"
printf '#!/bin/sh\n' >"$dir/prog/Backup"
chmod +x "$dir/prog/Backup"
printf '#!/bin/sh\necho new\n' >"$dir/new/Backup"
head -c "$((megabytes * 1024 * 1024))" \
    < <(yes 'a line of a large program file, much like the others around it') >"$dir/new/large.dat"

key=$("$bin/packsmith" --keygen "$dir/keys")
pack_kb=$(peak_kb "$bin/packsmith" --version 07.08.06 --key "$dir/keys/packsmith.key" \
    --out "$dir/prog" "$dir/new/Backup" "$dir/new/large.dat")
package_mb=$(($(stat -c %s "$dir/prog/Backup.Upk") / 1024 / 1024))

start=$(date +%s.%N)
refit_kb=$(cd "$dir/prog" && PELLMOOR_UNATTENDED=1 PELLMOOR_UPDATE_KEY=$key HOME=$dir/home \
    XDG_CONFIG_HOME=$dir/home/.config peak_kb ./Refitter Backup.Upk)
end=$(date +%s.%N)
cmp "$dir/new/large.dat" "$dir/prog/large.dat"
echo "refitter peak memory: $((refit_kb / 1024)) MB installing a ${megabytes} MB body from a ${package_mb} MB package in $(echo "$end - $start" | bc -l | xargs printf '%.1f')s (target < 64 MB); packsmith $((pack_kb / 1024)) MB making it"
discard "$dir"
