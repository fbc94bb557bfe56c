#!/usr/bin/env bash
# A package downloaded through the download control from a server on 127.0.0.1 against curl
# fetching the same file in the same run, and the control's peak memory.
# Usage: bench/bench_download.sh WORKDIR [MEGABYTES]
set -euo pipefail
work=$1
megabytes=${2:-100}
source "$(dirname "$0")/common.sh"

mkdir -p "$work/served" "$work/fetched"
head -c "$((megabytes * 1024 * 1024))" /dev/urandom >"$work/served/Backup.Upk"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/served" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    if curl -s -o /dev/null "http://127.0.0.1:$port/"; then break; fi
    sleep 0.1
done
address=127.0.0.1:$port/Backup.Upk

peer_download() { curl -s -o "$work/fetched/peer.upk" "http://$address"; }
# The control prints the download's own time, one line a run.
our_download() { offscreen "$build/bench/bench_download" "$address" "$work/fetched/ours.upk" >>"$work/download.figures"; }
clean_download() { set_aside "$work/fetched/peer.upk" "$work/fetched/ours.upk"; }

# The control writes a line break after the body; everything before it must be the package.
our_download
cmp -n "$((megabytes * 1024 * 1024))" "$work/served/Backup.Upk" "$work/fetched/ours.upk"
peak=$(QT_QPA_PLATFORM=offscreen peak_kb "$build/bench/bench_download" "$address" "$work/fetched/ours.upk")
clean_download

rm -f "$work/download.figures"
read -r curl_s ours <<<"$(race peer_download our_download clean_download)"
# The process figure includes starting a window system, which the program has done long before
# it downloads anything; the download alone is timed from its start to its end.
alone=$(median $(cat "$work/download.figures"))
echo "download of ${megabytes} MB from 127.0.0.1: Urlpull ${alone}s alone (${ours}s with starting the process), curl ${curl_s}s, ratio $(ratio "$alone" "$curl_s") (target <= 1.5), $(ratio "$ours" "$curl_s") with the process"
echo "download peak memory: $((peak / 1024)) MB for a ${megabytes} MB package (target < $((2 * megabytes)) MB)"
discard "$work/served" "$work/fetched" "$work/download.figures"
