#!/usr/bin/env bash
# Start-up cost of velmora against the least Qt Widgets program with the same
# controls: time from exec to the first mapped window and resident memory
# once it is up, alternating runs under Xvfb, median of 9. Run by hand:
#   bash bench/startup/run.sh [path/to/velmora]   (default build/dev/velmora)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
velmora=${1:-$root/build/dev/velmora}
work=$root/build/startup-bench
runs=${RUNS:-9}

cmake -S "$root/bench/startup" -B "$work" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work" -j"$(nproc)" >/dev/null

Xvfb :97 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
export DISPLAY=:97 XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
sleep 1

measure() { "$work/map_timer" "$1"; }
for program in "$work/least_widgets" "$velmora"; do measure "$program" >/dev/null; done  # warm caches
: >"$work/least.txt"; : >"$work/velmora.txt"
for _ in $(seq $runs); do
    measure "$work/least_widgets" >>"$work/least.txt"
    measure "$velmora" >>"$work/velmora.txt"
done

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
fastest() { sort -n | head -n1; }
least_ms=$(cut -d' ' -f1 "$work/least.txt" | median)
least_kb=$(cut -d' ' -f2 "$work/least.txt" | median)
velmora_ms=$(cut -d' ' -f1 "$work/velmora.txt" | median)
velmora_kb=$(cut -d' ' -f2 "$work/velmora.txt" | median)
echo "least Qt program: ${least_ms} ms to map, ${least_kb} kB resident (median of $runs)," \
     "fastest $(cut -d' ' -f1 "$work/least.txt" | fastest) ms"
echo "velmora:          ${velmora_ms} ms to map, ${velmora_kb} kB resident," \
     "fastest $(cut -d' ' -f1 "$work/velmora.txt" | fastest) ms"
awk -v a="$velmora_ms" -v b="$least_ms" -v c="$velmora_kb" -v d="$least_kb" \
    'BEGIN { printf "ratios: time %.3f, memory %.3f (target 1.05 or less)\n", a / b, c / d }'
