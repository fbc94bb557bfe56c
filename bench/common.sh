# Shared by the benchmark scripts: where the programs are, timing, ratios, and a program
# directory of our own. Sourced, never run. PELLMOOR_BUILD names another build folder than build/.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${PELLMOOR_BUILD:-$here/../build}" && pwd)
bin=$build/bin

# Wall seconds of a command (its output discarded).
seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null 2>&1; e=$(date +%s.%N); echo "$e - $s" | bc -l; }
smaller() { echo "if ($1 == 0 || $2 < $1) $2 else $1" | bc -l; }
# Times PEER and OURS over four rounds in the order peer, ours, ours, peer, peer, ours, ours,
# peer and prints the best time of each. CLEAN runs after every run and the disk is synced, so
# that no run pays for the writes or the memory of the one before it; taking turns evens out
# the rest (a file system that has just deleted many files is slower to make new ones for a
# while), and the best of four leaves out the runs another process slowed down.
race() { # PEER OURS CLEAN
    local peer=0 ours=0 round first second side t
    for round in 1 2 3 4; do
        if [ $((round % 2)) = 1 ]; then first=$1 second=$2; else first=$2 second=$1; fi
        for side in "$first" "$second"; do
            sync
            t=$(seconds "$side")
            "$3"
            if [ "$side" = "$1" ]; then peer=$(smaller "$peer" "$t"); else ours=$(smaller "$ours" "$t"); fi
        done
    done
    echo "$peer $ours"
}
ratio() { echo "scale=2; $1 / $2" | bc -l; }
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }

# A program directory of our own: pellmoor, the companion files, an information file that backs
# up DATA to the hard-disk folder BACKUPS.
make_program() { # DIR DATA BACKUPS
    mkdir -p "$1" "$3"
    cp "$bin/pellmoor" "$1/"
    for name in Backup Refitter libUrlpull.so libCheckRoster.so libPlainRoster.so '!Help.txt' '!Help.Htm' RollBack.bat; do
        if [ -f "$bin/$name" ]; then cp "$bin/$name" "$1/"; else echo companion > "$1/$name"; fi
    done
    printf 'V|8|1|1|1|0|-1|-1|-1|16384|5|HDD|00:00:00|0|-1|-1|-1|-1|%s/\r\n%s/temp/\r\n1|*.*|%s\r\n\r\n\r\n' \
        "$3" "$1" "$2" > "$1/Backup.Ini"
}
