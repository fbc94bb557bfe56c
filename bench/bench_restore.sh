#!/usr/bin/env bash
# The restore engine against cp and unzip on the same tree, measured in the same run, and the
# restore selection over a large catalogue.
# Usage: bench/bench_restore.sh WORKDIR [MEGABYTES]
# Uses WORKDIR/tree when the backup benchmark left it there, else writes it.
set -euo pipefail
work=$1 megabytes=${2:-2048}
source "$(dirname "$0")/common.sh"

cd "$work"
[ -d "$work/tree" ] || python3 "$here/maketree.py" "$work/tree" 2000 "$megabytes"
echo "restore tree: $(find "$work/tree" -type f | wc -l) files, $(du -sm "$work/tree" | cut -f1) MB"

# Every restore is checked byte for byte once, outside the time. A restore keeps the directory
# structure: the tree lands below --to at its own path.
check_restore() { # TO
    diff -rq "$work/tree" "$1/${work#/}/tree" >/dev/null || { echo "restore into $1 differs from the tree" >&2; exit 1; }
}

# No limit: everything from one plain medium, against cp -r.
make_program "$work/rprog" "$work/tree" "$work/rbackups"
"$work/rprog/pellmoor" backup --quiet >/dev/null 2>&1
peer_copy() { cp -r "$work/tree" "$work/copy"; }
ours_plain() { "$work/rprog/pellmoor" restore --quiet --from "$work/rbackups" --to "$work/restored"; }
clean_plain() { set_aside "$work/copy" "$work/restored"; }
ours_plain >/dev/null && check_restore "$work/restored" && clean_plain
read -r cp_s ours < <(race peer_copy ours_plain clean_plain)
echo "restore nolimit: ${ours}s, cp -r: ${cp_s}s, ratio $(ratio "$ours" "$cp_s") (target <= 1.0)"
discard "$work/rbackups"

# Zipped media: against unzip -q of the archive zip -r -q makes of the same tree.
zip -r -q "$work/rpeer.zip" "$work/tree"
make_program "$work/rprogz" "$work/tree" "$work/rbackupsz"
"$work/rprogz/pellmoor" backup --quiet --zip >/dev/null 2>&1
peer_unzip() { unzip -q "$work/rpeer.zip" -d "$work/unzipped"; }
ours_zipped() { "$work/rprogz/pellmoor" restore --quiet --from "$work/rbackupsz" --to "$work/restoredz"; }
clean_zipped() { set_aside "$work/unzipped" "$work/restoredz"; }
ours_zipped >/dev/null && check_restore "$work/restoredz" && clean_zipped
read -r unzip_s ours < <(race peer_unzip ours_zipped clean_zipped)
echo "restore zipped: ${ours}s, unzip -q: ${unzip_s}s, ratio $(ratio "$ours" "$unzip_s") (target <= 1.1)"
discard "$work/rbackupsz" "$work/rpeer.zip"

# Sorting and listing a catalogue of 100 000 files for the restore.
"$build/bench/bench_restoreselection" 100000
