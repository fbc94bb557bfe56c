#!/usr/bin/env bash
# The backup engine against cp, zip and find on the same trees, measured in the same run.
# Usage: bench/bench_backup.sh WORKDIR [MEGABYTES] [SMALLFILES]
set -euo pipefail
work=$1 megabytes=${2:-2048} smallfiles=${3:-100000}
source "$(dirname "$0")/common.sh"

# The zipper leaves its estimates log in the current folder: keep it in the work folder.
cd "$work"
python3 "$here/maketree.py" "$work/tree" 2000 "$megabytes"
files=$(find "$work/tree" -type f | wc -l)
echo "backup tree: $files files, $(du -sm "$work/tree" | cut -f1) MB"

# Plain copy, no limit: against cp -r. The two take turns, each right after the previous output
# was removed, so that both meet the same cache and file-system state; the best of three counts.
min() { echo "if ($1 < $2) $1 else $2" | bc -l; }
cp_s=999999 ours=999999
for round in 1 2 3; do
    rm -rf "$work/cp-copy" "$work/prog" "$work/backups"
    cp_s=$(min "$cp_s" "$(seconds cp -r "$work/tree" "$work/cp-copy")")
    rm -rf "$work/cp-copy"
    make_program "$work/prog" "$work/tree" "$work/backups"
    ours=$(min "$ours" "$(seconds "$work/prog/pellmoor" backup --quiet)")
done
echo "backup nolimit: ${ours}s, cp -r: ${cp_s}s, ratio $(ratio "$ours" "$cp_s") (target <= 1.25)"

# Zipped: against zip -r -q, and the media against the peer's archive.
zip_s=$(seconds zip -r -q "$work/peer.zip" "$work/tree")
make_program "$work/progz" "$work/tree" "$work/backupsz"
ours=$(seconds "$work/progz/pellmoor" backup --quiet --zip)
media=$(du -sb "$work/backupsz" | cut -f1)
peer=$(stat -c %s "$work/peer.zip")
echo "backup zipped: ${ours}s, zip -r -q: ${zip_s}s, ratio $(ratio "$ours" "$zip_s") (target <= 1.1); media ${media} B, zip ${peer} B, ratio $(ratio "$media" "$peer") (target <= 1)"
rm -rf "$work/backups" "$work/backupsz" "$work/peer.zip" "$work/cp-copy"

# Nothing changed over many small files: against find.
mkdir -p "$work/small"
python3 - "$work/small" "$smallfiles" <<'PY'
import os, sys
root, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    d = os.path.join(root, "d%03d" % (i % 500))
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, "f%06d.txt" % i), "w") as f:
        f.write("small file %d\n" % i)
PY
make_program "$work/progs" "$work/small" "$work/backupss"
"$work/progs/pellmoor" backup --quiet >/dev/null 2>&1 || true
find_s=$(seconds find "$work/small" -type f -printf '%s %T@\n')
ours=$(seconds "$work/progs/pellmoor" backup --quiet)
peak=$(peak_kb "$work/progs/pellmoor" backup --quiet || true)
echo "backup unchanged x$smallfiles: ${ours}s, find: ${find_s}s, ratio $(ratio "$ours" "$find_s") (target <= 4); peak ${peak} KB (target < $((100 * 1024 + smallfiles))) KB"
