# Shared by the benchmark scripts: where the programs are, timing, ratios, and a program
# directory of our own. Sourced, never run. PELLMOOR_BUILD names another build folder than build/.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${PELLMOOR_BUILD:-$here/../build}" && pwd)
bin=$build/bin

# Wall seconds of a command (its output discarded).
seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null 2>&1; e=$(date +%s.%N); echo "$e - $s" | bc -l; }
# The smaller of two runs of a command; cleanup (a command line, may be empty) runs after each.
best_seconds() { # CLEANUP COMMAND...
    local cleanup=$1 a b; shift
    a=$(seconds "$@"); eval "$cleanup"
    b=$(seconds "$@"); eval "$cleanup"
    echo "if ($b < $a) $b else $a" | bc -l
}
smaller() { echo "if ($1 == 0 || $2 < $1) $2 else $1" | bc -l; }
# Times PEER and OURS (commands that take a round number) over four rounds, in the order peer,
# ours, ours, peer, ..., and prints the best time of each. Taking turns leaves both the same cache
# and file-system state; each round writes to a place of its own, since creating files just
# after deleting many is slow.
race() { # PEER OURS
    local peer=0 ours=0 round
    for round in 1 2 3 4; do
        if [ $((round % 2)) = 1 ]; then
            peer=$(smaller "$peer" "$(seconds "$1" "$round")")
            ours=$(smaller "$ours" "$(seconds "$2" "$round")")
        else
            ours=$(smaller "$ours" "$(seconds "$2" "$round")")
            peer=$(smaller "$peer" "$(seconds "$1" "$round")")
        fi
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
