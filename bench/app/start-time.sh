#!/usr/bin/env bash
# Start time of the program as a user sees it: from the command to its main
# window shown on a real X server (Xvfb), without a file. Each run gets a
# fresh home. Prints the median and the slowest of RUNS runs (default 10).
# Usage: start-time.sh PROGRAM [RUNS]       Needs (Debian): xvfb xdotool
set -u
program=$1; runs=${2:-10}
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 & xpid=$!
trap 'kill $xpid 2>/dev/null; rm -rf "$work"' EXIT
until [ -s "$work/display" ]; do sleep 0.05; done
export DISPLAY=:$(cat "$work/display")
times=()
for i in $(seq 1 "$runs"); do
  home=$work/home$i; mkdir -p "$home/run"; chmod 700 "$home/run"
  start=$(date +%s%N)
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    XDG_RUNTIME_DIR=$home/run "$program" >"$work/log$i" 2>&1 & pid=$!
  until xdotool search --onlyvisible --pid $pid >/dev/null 2>&1; do
    kill -0 $pid 2>/dev/null || { echo "run $i: the program ended:"; cat "$work/log$i"; exit 1; }
    sleep 0.005
  done
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
  kill $pid; wait $pid 2>/dev/null
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start to shown window: median ${sorted[$((runs / 2))]} ms, slowest ${sorted[$((runs - 1))]} ms ($runs runs)"
