#!/usr/bin/env bash
# The backup wizard (offscreen) against `pellmoor backup` of the same tree, taking turns, and the
# longest the wizard's window goes without handling its events, in a plain run and in a zipped
# run over files of 20 MB and more. Usage: bench/bench_wizard.sh WORKDIR [MEGABYTES]
# Uses WORKDIR/tree, the backup benchmark's tree, when it is there, else writes one like it.
set -euo pipefail
work=$1 megabytes=${2:-2048}
source "$(dirname "$0")/common.sh"
wizard=$build/bench/bench_wizard

# The zipper leaves its estimates log in the current folder: keep it in the work folder.
cd "$work"
[ -d "$work/tree" ] || python3 "$here/maketree.py" "$work/tree" 2000 "$megabytes"
echo "wizard tree: $(find "$work/tree" -type f | wc -l) files, $(du -sm "$work/tree" | cut -f1) MB"

# Each run starts from a fresh history; the wizard prints its own figures, one line a run.
peer_run() { "$work/prog/pellmoor" backup --quiet; }
wizard_run() { "$wizard" "$work/prog" >>"$work/wizard.figures" 2>/dev/null; }
clean_run() {
    set_aside "$work/prog" "$work/backups"
    make_program "$work/prog" "$work/tree" "$work/backups"
}
clean_run
read -r peer_s ours <<<"$(race peer_run wizard_run clean_run)"
gap=$(awk '$2 > m { m = $2 } END { print m + 0 }' "$work/wizard.figures")
# A backup through the wizard is timed from the click on "Next" that starts it to step 6: the
# program and its window are up long before a user starts a backup. The process figure, with
# starting a window system (offscreen) and building the window, is printed beside it.
run_s=$(median $(awk '{ print $1 }' "$work/wizard.figures"))
echo "wizard backup nolimit: run ${run_s}s (${ours}s with starting the process); pellmoor backup: ${peer_s}s; ratio $(ratio "$run_s" "$peer_s") (target <= 1.05), $(ratio "$ours" "$peer_s") with the process"
echo "wizard longest event gap, plain: ${gap} ms (target < 100)"
discard "$work/prog" "$work/backups" "$work/wizard.figures"

# Zipped, over large files: half compressible text, half random bytes, 20 to 40 MB each.
python3 - "$work/large" <<'PY'
import os, random, sys
root = sys.argv[1]
os.makedirs(root, exist_ok=True)
rng = random.Random(7)
words = b"the quick brown fox jumps over the lazy dog while backups run quietly at night "
for i in range(6):
    size = (20 + 4 * i) * 1024 * 1024
    with open(os.path.join(root, "large%d.%s" % (i, "txt" if i % 2 == 0 else "bin")), "wb") as f:
        if i % 2 == 0:
            f.write((words * (size // len(words) + 1))[:size])
        else:
            f.write(rng.randbytes(size))
PY
make_program "$work/progz" "$work/large" "$work/backupsz"
read -r zs zgap zstate <<<"$("$wizard" "$work/progz" --zip 2>/dev/null)"
echo "wizard zipped run over files of 20 to 40 MB: ${zs}s ($zstate), longest event gap: ${zgap} ms (target < 100)"
discard "$work/progz" "$work/backupsz" "$work/large"
