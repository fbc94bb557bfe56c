#!/usr/bin/env bash
# One big file of real data (not sparse), backed up onto a medium without a limit against cp,
# and restored from it against cp, in the same run; and the peak memory of each of our runs,
# which must not grow with the file.
# Usage: bench/bench_bigfile.sh WORKDIR [GIGABYTES]
set -euo pipefail
work=$1 gigabytes=${2:-6}
source "$(dirname "$0")/common.sh"

big=$work/big
mkdir -p "$big/data"
# Incompressible bytes, made quickly: a random block of 64 MB over and over.
head -c 64M /dev/urandom >"$big/block"
for _ in $(seq $((gigabytes * 16))); do cat "$big/block"; done >"$big/data/big.bin"
rm "$big/block"
echo "big file: $(du -m "$big/data/big.bin" | cut -f1) MB"

make_program "$big/prog" "$big/data" "$big/backups"
# Three rounds, not six: every turn writes the whole file. Each turn ends when the file is on
# the disk: with 6 GB in the page cache the kernel's write-back alone swung a copy from 1.3 s
# to 6.8 s between turns, whichever program made it.
export ROUNDS=3

peer_copy() { mkdir -p "$big/copy" && cp "$big/data/big.bin" "$big/copy/" && sync; }
our_backup() { "$big/prog/pellmoor" backup --quiet --media nolimit --fresh && sync; }
clean_backup() { rm -rf "$big/copy" "$big/backups"/Backup*; }
read -r cp_s ours <<<"$(race peer_copy our_backup clean_backup)"
echo "big file backup: ${ours}s, cp: ${cp_s}s, ratio $(ratio "$ours" "$cp_s") (target <= 1.0)"
backup_kb=$(peak_kb "$big/prog/pellmoor" backup --quiet --media nolimit --fresh)

medium=$(find "$big/backups" -name big.bin | head -1)
peer_back() { mkdir -p "$big/copy" && cp "$medium" "$big/copy/" && sync; }
our_restore() { "$big/prog/pellmoor" restore --quiet --current --ini "$big/prog/Backup.Ini" --to "$big/restored" && sync; }
clean_restore() { rm -rf "$big/copy" "$big/restored"; }
our_restore >/dev/null
cmp "$big/data/big.bin" "$(find "$big/restored" -name big.bin)" || { echo "restored big file differs" >&2; exit 1; }
clean_restore
read -r cp_s ours <<<"$(race peer_back our_restore clean_restore)"
echo "big file restore: ${ours}s, cp: ${cp_s}s, ratio $(ratio "$ours" "$cp_s") (target <= 1.0)"
restore_kb=$(peak_kb "$big/prog/pellmoor" restore --quiet --current --ini "$big/prog/Backup.Ini" --to "$big/restored")
echo "big file peak memory: backup $((backup_kb / 1024)) MB, restore $((restore_kb / 1024)) MB (target < 100 MB)"
discard "$big"
