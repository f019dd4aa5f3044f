#!/usr/bin/env bash
# Start time of the program as a user sees it: from the command to its main
# window shown on a real X server (Xvfb), without a file or with FILE. Each
# run gets a fresh home. Prints the median and the slowest of RUNS runs
# (default 10). A run whose window does not come to name its document (FILE,
# or the new document "Quenwick - ...") or that shows a dialog (an error box)
# is a failure (exit code 1), not a time.
# Usage: start-time.sh PROGRAM [RUNS] [FILE]   Needs (Debian): xvfb xdotool x11-utils
set -u
program=$1; runs=${2:-10}; file=${3:-}
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 & xpid=$!
trap 'kill ${pid:-} $xpid 2>/dev/null; rm -rf "$work"' EXIT
until [ -s "$work/display" ]; do sleep 0.05; done
export DISPLAY=:$(cat "$work/display")
times=()
for i in $(seq 1 "$runs"); do
  home=$work/home$i; mkdir -p "$home/run"; chmod 700 "$home/run"
  start=$(date +%s%N)
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    XDG_RUNTIME_DIR=$home/run "$program" ${file:+"$file"} >"$work/log$i" 2>&1 & pid=$!
  until xdotool search --onlyvisible --pid $pid >/dev/null 2>&1; do
    kill -0 $pid 2>/dev/null || { echo "run $i: the program ended:"; cat "$work/log$i"; exit 1; }
    sleep 0.005
  done
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
  # The window shown must come to name the document, with no dialog open.
  want="Quenwick - ${file:+$(basename "$file")}"
  ok=0
  for t in $(seq 1 100); do
    ok=1; titled=0
    for w in $(xdotool search --onlyvisible --pid $pid 2>/dev/null); do
      type=$(xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null)
      title=$(xdotool getwindowname "$w" 2>/dev/null)
      [[ $type == *DIALOG* ]] && { ok=0; dialog=$title; }
      [[ $title == "Quenwick - "* && $title == *"${want#Quenwick - }"* ]] && titled=1
    done
    [ $ok -eq 1 ] && [ $titled -eq 1 ] && break
    sleep 0.1
  done
  if [ $ok -eq 0 ]; then echo "run $i: FAILED: a dialog is open: \"$dialog\""; kill $pid; exit 1; fi
  if [ $titled -eq 0 ]; then echo "run $i: FAILED: no window titled \"$want...\""; kill $pid; exit 1; fi
  kill $pid; wait $pid 2>/dev/null
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start to shown window: median ${sorted[$((runs / 2))]} ms, slowest ${sorted[$((runs - 1))]} ms ($runs runs)"
