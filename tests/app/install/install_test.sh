#!/bin/bash
# install_test.sh <build folder> <cmake>
# Installs the build into a temporary prefix, checks what landed there and
# starts the installed program headless in homes of its own: it must come up
# (its single-instance socket appears and it keeps running) and take a file
# handed over by a second start.
set -u
build=$1
cmake=${2:-cmake}
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/out.log" ] && cat "$work/out.log"; exit 1; }

prefix="$work/pre fix"
"$cmake" --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 \
  || { cat "$work/install.log"; fail "cmake --install"; }

for f in lib/quenwick/quenwick lib/quenwick/libquenwick-web.so lib/quenwick/Data/Settings/tag.dat \
         lib/quenwick/Data/Settings/html.dat share/applications/quenwick.desktop \
         share/icons/hicolor/scalable/apps/quenwick.svg; do
  [ -f "$prefix/$f" ] || fail "missing $f"
done
[ -x "$prefix/bin/quenwick" ] || fail "bin/quenwick does not run"
cmp -s "$prefix/lib/quenwick/Data/Settings/tag.dat" "$(dirname "$0")/../../../data/Settings/tag.dat" \
  || fail "tag.dat differs from the shipped one"
grep -qx "Exec=\"$prefix/bin/quenwick\" %F" "$prefix/share/applications/quenwick.desktop" \
  || fail "Exec line: $(grep ^Exec= "$prefix/share/applications/quenwick.desktop")"
grep -qx "Icon=quenwick" "$prefix/share/applications/quenwick.desktop" || fail "Icon line"
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$prefix/share/applications/quenwick.desktop" || fail "desktop entry"
fi

# A second install keeps the settings the program wrote meanwhile.
echo "[FILTRY]" >> "$prefix/lib/quenwick/Data/Settings/html.dat"
"$cmake" --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 || fail "second install"
tail -n1 "$prefix/lib/quenwick/Data/Settings/html.dat" | grep -qx "\[FILTRY\]" \
  || fail "a second install replaced html.dat"

mkdir -p "$work/run" "$work/home" && chmod 700 "$work/run"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/home/.config" \
       XDG_DATA_HOME="$work/home/.local/share" QT_QPA_PLATFORM=offscreen
# Started from elsewhere through the link on PATH, as a desktop would.
cd "$work/home" || fail "cd"
PATH="$prefix/bin:$PATH" quenwick > "$work/out.log" 2>&1 &
pid=$!
for _ in $(seq 1 60); do
  [ -S "$work/run/quenwick.socket" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended at start"
  sleep 0.5
done
[ -S "$work/run/quenwick.socket" ] || fail "the program did not come up"
sleep 2
kill -0 "$pid" 2>/dev/null || fail "the program ended after its start"

printf '<p>x</p>\n' > "$work/page.html"
timeout 30 "$prefix/bin/quenwick" "$work/page.html" > "$work/second.log" 2>&1 \
  || fail "a second start did not hand its file over: $(cat "$work/second.log")"
kill -0 "$pid" 2>/dev/null || fail "the program ended after a hand-off"
echo "installed program runs from $prefix"
exit 0
