#!/usr/bin/env bash
# The backup engine against cp, zip and find on the same trees, measured in the same run.
# Usage: bench/bench_backup.sh WORKDIR [MEGABYTES] [SMALLFILES]
set -euo pipefail
work=$1 megabytes=${2:-2048} smallfiles=${3:-100000}
source "$(dirname "$0")/common.sh"

# The zipper logs its estimates beside the information file, which each run keeps in the work
# folder; the runs start there too.
cd "$work"
python3 "$here/maketree.py" "$work/tree" 2000 "$megabytes"
files=$(find "$work/tree" -type f | wc -l)
echo "backup tree: $files files, $(du -sm "$work/tree" | cut -f1) MB"

# Plain copy, no limit: against cp -r, taking turns. Each backup starts from a fresh history.
plain_race() { # TREE LABEL
    plain_tree=$1
    peer_copy() { cp -r "$plain_tree" "$work/cp"; }
    our_copy() { "$work/prog/pellmoor" backup --quiet; }
    clean_copy() {
        set_aside "$work/cp" "$work/prog" "$work/backups"
        make_program "$work/prog" "$plain_tree" "$work/backups"
    }
    clean_copy
    read -r cp_s ours <<<"$(race peer_copy our_copy clean_copy)"
    echo "backup nolimit $2: ${ours}s, cp -r: ${cp_s}s, ratio $(ratio "$ours" "$cp_s") (target <= 1.15)"
    discard "$work/cp" "$work/prog" "$work/backups"
}
plain_race "$work/tree" "(text and random)"
# A tree shaped like a user's documents: many small files and a few large ones.
python3 "$here/maketree.py" "$work/usertree" 600 user
echo "user tree: $(find "$work/usertree" -type f | wc -l) files, $(du -sm "$work/usertree" | cut -f1) MB"
plain_race "$work/usertree" "(user tree)"
discard "$work/usertree"

# Zipped: against zip -r -q, and the media against the peer's archive. Besides the stored copies a
# medium holds the program files and the catalogue, which the peer's archive has no counterpart
# of; both figures are shown and the copies are compared.
zip_s=$(seconds zip -r -q "$work/peer.zip" "$work/tree")
make_program "$work/progz" "$work/tree" "$work/backupsz"
ours=$(seconds "$work/progz/pellmoor" backup --quiet --zip)
media=$(du -sb "$work/backupsz" | cut -f1)
copies=$(find "$work/backupsz" -path '*/!IN_HERE!' -prune -o -type f -path '*/MEDIA[0-9]*/*/*' \
    -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
peer=$(stat -c %s "$work/peer.zip")
echo "backup zipped: ${ours}s, zip -r -q: ${zip_s}s, ratio $(ratio "$ours" "$zip_s") (target <= 1.1)"
echo "backup zipped media: copies ${copies} B (media in all ${media} B), zip ${peer} B, ratio $(ratio "$copies" "$peer") (target <= 1)"
discard "$work/backupsz" "$work/progz" "$work/peer.zip"

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
peer_find() { find "$work/small" -type f -printf '%s %T@\n'; }
our_check() { "$work/progs/pellmoor" backup --quiet; }
read -r find_s ours <<<"$(race peer_find our_check true)"
peak=$(peak_kb "$work/progs/pellmoor" backup --quiet || true)
echo "backup unchanged x$smallfiles: ${ours}s, find: ${find_s}s, ratio $(ratio "$ours" "$find_s") (target <= 3); peak ${peak} KB (target < $((110 * 1024)) KB)"
