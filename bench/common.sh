# Shared by the benchmark scripts: where the programs are, timing, ratios, and a program
# directory of our own. Sourced, never run. PELLMOOR_BUILD names another build folder than build/.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${PELLMOOR_BUILD:-$here/../build}" && pwd)
bin=$build/bin

# Wall seconds of a command (its output discarded).
seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null 2>&1; e=$(date +%s.%N); echo "$e - $s" | bc -l; }

# An ext4 without a journal, like the one these figures were taken on, passes over every inode
# freed in the last minute each time it makes a new file, so for a minute after many deletions
# making files is several times slower. Deleting between timed runs made each run pay for the
# one before it, by chance more or less. So a race sets its outputs aside (their memory freed),
# deletes them when it ends, and starts only a minute after the last deletion.
discard() { # PATH...
    rm -rf "$@"
    sync
    date +%s >"$work/.deleted"
}
settle() {
    local last left
    last=$(cat "$work/.deleted" 2>/dev/null || echo 0)
    left=$((last + 61 - $(date +%s)))
    if [ "$left" -gt 0 ]; then sleep "$left"; fi
}
set_aside() { # PATH...
    local p
    sync
    python3 "$here/dropcache.py" "$@"
    mkdir -p "$work/aside"
    for p in "$@"; do
        if [ -e "$p" ]; then mv "$p" "$(mktemp -d "$work/aside/XXXXXX")/"; fi
    done
}

# Times PEER and OURS over six rounds (ROUNDS, when set) in the order peer, ours, ours, peer,
# peer, ours, ... and
# prints the median time of each. CLEAN runs after every run (it sets the outputs aside)
# and the disk is synced, so that no run pays for the writes of the one before it; taking turns
# evens out the rest, and the median leaves out a run another process slowed down.
race() { # PEER OURS CLEAN
    local peers=() ours=() round first second side t
    settle
    for round in $(seq "${ROUNDS:-6}"); do
        if [ $((round % 2)) = 1 ]; then first=$1 second=$2; else first=$2 second=$1; fi
        for side in "$first" "$second"; do
            sync
            t=$(seconds "$side")
            "$3"
            if [ "$side" = "$1" ]; then peers+=("$t"); else ours+=("$t"); fi
        done
    done
    discard "$work/aside"
    echo "$(median "${peers[@]}") $(median "${ours[@]}")"
}
# The median of the numbers given (of an even count, the mean of the middle two).
median() {
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
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

# Runs a window benchmark offscreen without the offscreen platform's notes about what it cannot do.
offscreen() { # COMMAND...
    QT_QPA_PLATFORM=offscreen "$@" 2> >(grep -v -e 'This plugin does not support' \
        -e 'XDG_RUNTIME_DIR not set' >&2)
}
