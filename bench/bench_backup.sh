#!/usr/bin/env bash
# The backup engine against cp, zip and find on the same trees, measured in the same run.
# Usage: bench/bench_backup.sh WORKDIR [MEGABYTES] [SMALLFILES]
set -euo pipefail
work=$1 megabytes=${2:-2048} smallfiles=${3:-100000}
bin=$(cd "$(dirname "$0")/../build/bin" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

# Wall seconds of a command (its output discarded).
seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null 2>&1; e=$(date +%s.%N); echo "$e - $s" | bc -l; }
ratio() { echo "scale=2; $1 / $2" | bc -l; }
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }

# A program directory of our own: pellmoor, the companion files, an information file.
make_program() { # DIR DATA BACKUPS
    mkdir -p "$1" "$3"
    cp "$bin/pellmoor" "$1/"
    for name in Backup Refitter libUrlpull.so libCheckRoster.so libPlainRoster.so '!Help.txt' '!Help.Htm' RollBack.bat; do
        if [ -f "$bin/$name" ]; then cp "$bin/$name" "$1/"; else echo companion > "$1/$name"; fi
    done
    printf 'V|8|1|1|1|0|-1|-1|-1|16384|5|HDD|00:00:00|0|-1|-1|-1|-1|%s/\r\n%s/temp/\r\n1|*.*|%s\r\n\r\n\r\n' \
        "$3" "$1" "$2" > "$1/Backup.Ini"
}

# The zipper leaves its estimates log in the current folder: keep it in the work folder.
cd "$work"
python3 "$here/maketree.py" "$work/tree" 2000 "$megabytes"
files=$(find "$work/tree" -type f | wc -l)
echo "backup tree: $files files, $(du -sm "$work/tree" | cut -f1) MB"

# Plain copy, no limit: against cp -r. The peer runs first so both read a warm cache.
cp_s=$(seconds cp -r "$work/tree" "$work/cp-copy"); rm -rf "$work/cp-copy"
cp_s2=$(seconds cp -r "$work/tree" "$work/cp-copy"); rm -rf "$work/cp-copy"
cp_s=$(echo "if ($cp_s2 < $cp_s) $cp_s2 else $cp_s" | bc -l)
make_program "$work/prog" "$work/tree" "$work/backups"
ours=$(seconds "$work/prog/pellmoor" backup --quiet)
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
