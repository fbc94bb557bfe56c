#!/usr/bin/env bash
# Zipped backups against zip on a tree shaped like a user's documents, and on one 10 MB text file,
# each a race of turns in the same run. Usage: bench/bench_zip.sh WORKDIR
set -euo pipefail
work=$1
source "$(dirname "$0")/common.sh"

# The zipper leaves its estimates log in the current folder: keep it in the work folder.
cd "$work"
python3 "$here/maketree.py" "$work/usertree" 600 user
echo "zip tree: $(find "$work/usertree" -type f | wc -l) files, $(du -sm "$work/usertree" | cut -f1) MB"
python3 - "$work/one/text.txt" <<'PY'
import os, sys
os.makedirs(os.path.dirname(sys.argv[1]), exist_ok=True)
words = b"the quick brown fox jumps over the lazy dog while backups run quietly at night "
with open(sys.argv[1], "wb") as f:
    f.write((words * (10 * 1024 * 1024 // len(words) + 1))[:10 * 1024 * 1024])
PY

# Each turn starts from a fresh history. Before setting a finished run aside, the stored copies
# and the peer's archive are measured: besides the copies a medium holds the program files and the
# catalogue, which the archive has no counterpart of, so the copies are what is compared.
copies_of() { # BACKUPS
    find "$1" -path '*/!IN_HERE!' -prune -o -type f -path '*/MEDIA[0-9]*/*/*' -printf '%s\n' |
        awk '{ s += $1 } END { print s + 0 }'
}
zip_race() { # DATA TAG PEER-INPUT ZIP-ARGUMENTS...
    # Not "name": make_program's loop sets that one.
    local data=$1 tag=$2 input=$3
    shift 3
    peer_zip() { zip -q "${zip_args[@]}" "$work/$tag.zip" "$input"; }
    our_zip() { "$work/prog$tag/pellmoor" backup --quiet "${our_args[@]}"; }
    clean_zip() {
        local copies=0
        if [ -d "$work/backups$tag" ]; then copies=$(copies_of "$work/backups$tag"); fi
        # After the peer's turn our folder is still empty.
        if [ "$copies" -gt 0 ]; then echo "$copies" >"$work/$tag.copies"; fi
        if [ -f "$work/$tag.zip" ]; then stat -c %s "$work/$tag.zip" >"$work/$tag.peer"; fi
        set_aside "$work/$tag.zip" "$work/prog$tag" "$work/backups$tag"
        make_program "$work/prog$tag" "$data" "$work/backups$tag"
    }
    zip_args=("$@")
    clean_zip
    race peer_zip our_zip clean_zip
}

our_args=(--zip)
read -r zip_s ours <<<"$(zip_race "$work/usertree" user "$work/usertree" -r)"
echo "zipped backup of the tree: ${ours}s, zip -r -q: ${zip_s}s, ratio $(ratio "$ours" "$zip_s") (target <= 1.0, then <= 0.6 on two cores)"
copies=$(cat "$work/user.copies") peer=$(cat "$work/user.peer")
echo "zipped backup media: copies ${copies} B, zip ${peer} B, ratio $(ratio "$copies" "$peer") (target <= 1)"

our_args=(--zip --force-zip)
read -r zip_s ours <<<"$(zip_race "$work/one" one "$work/one/text.txt")"
# On a run this short, starting the process weighs: ours loads Qt and the zip library, zip
# almost nothing. Both starts are measured (the median of six) and shown taken off.
starts() { # COMMAND...
    local times=() i
    for i in 1 2 3 4 5 6; do times+=("$(seconds "$@")"); done
    median "${times[@]}"
}
our_start=$(starts "$bin/pellmoor" --version)
zip_start=$(starts zip -h)
echo "zipped backup of one 10 MB text file: ${ours}s, zip -q: ${zip_s}s, ratio $(ratio "$ours" "$zip_s") (no target of its own; the tree's is <= 1.0);" \
    "less starting the process (${our_start}s, zip ${zip_start}s): ratio $(ratio "$(echo "$ours - $our_start" | bc -l)" "$(echo "$zip_s - $zip_start" | bc -l)")"
discard "$work/usertree" "$work/one" "$work/prog"* "$work/backups"* "$work"/*.copies "$work"/*.peer
