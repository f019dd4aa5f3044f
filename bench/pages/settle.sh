#!/usr/bin/env bash
# How long an editor keeps working after it is started on a file, seen from
# outside on a real X server (Xvfb): the time to its window, the time until its
# CPU time stops growing (no CPU for a whole second; the second is not
# counted), and its resident memory then. The window's title must name the
# file and no dialog (an error box) may be open, once the window shows and
# again once it settled; otherwise it is a failure (exit code 1), not a time.
# Usage: settle.sh NAME FILE -- COMMAND...   (COMMAND gets FILE appended)
# Prints: NAME window_s=… settled_s=… rss_mib=…      Needs (Debian): xvfb xdotool x11-utils
set -u
name=$1; file=$2; shift 2; [ "$1" = "--" ] && shift
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 & xpid=$!
trap 'kill ${pid:-} $xpid 2>/dev/null; rm -rf "$work"' EXIT
until [ -s "$work/display" ]; do sleep 0.05; done
export DISPLAY=:$(cat "$work/display")
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
       XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
now() { date +%s%N; }
start=$(now)
"$@" "$file" >"$work/log" 2>&1 & pid=$!
until xdotool search --onlyvisible --pid $pid >/dev/null 2>&1; do
  kill -0 $pid 2>/dev/null || { echo "$name: the program ended:"; cat "$work/log"; exit 1; }
  sleep 0.01
done
shown=$(now)
# The visible windows of the program: a dialog among them is an error box;
# the main window's title must name the file.
check_windows() {
  local titled=0 w type title
  for w in $(xdotool search --onlyvisible --pid $pid 2>/dev/null); do
    type=$(xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null)
    title=$(xdotool getwindowname "$w" 2>/dev/null)
    if [[ $type == *DIALOG* ]]; then
      echo "$name: FAILED: a dialog is open: \"$title\""; return 1
    fi
    [[ $title == *"$(basename "$file")"* ]] && titled=1
  done
  [ $titled -eq 1 ] || { echo "$name: FAILED: no window titled with $(basename "$file")"; return 1; }
}
# The title follows the file's loading: up to 30 s for it.
for i in $(seq 1 300); do check_windows >/dev/null && break; sleep 0.1; done
check_windows || exit 1
cpu() { local s=0; for p in $pid $(pgrep -P $pid); do
  s=$((s + $(awk '{print $14+$15}' /proc/$p/stat 2>/dev/null || echo 0))); done; echo $s; }
last=$(cpu); lastChange=$(now); quiet=0
while [ $quiet -lt 20 ]; do
  sleep 0.05; c=$(cpu)
  if [ "$c" != "$last" ]; then last=$c; lastChange=$(now); quiet=0; else quiet=$((quiet + 1)); fi
done
rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
check_windows || exit 1
awk -v n="$name" -v a="$start" -v b="$shown" -v c="$lastChange" -v r="$rss" 'BEGIN {
  printf "%s window_s=%.2f settled_s=%.2f rss_mib=%.1f\n", n, (b - a) / 1e9, (c - a) / 1e9, r / 1024 }'
kill $pid 2>/dev/null; sleep 0.5; kill -9 $pid 2>/dev/null
exit 0
