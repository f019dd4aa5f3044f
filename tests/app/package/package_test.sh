#!/bin/bash
# package_test.sh <source folder> <build folder>
# Builds the Debian package from the build as it is, installs it with apt-get
# as a person would, starts /usr/bin/quenwick with a page on a virtual X
# display and waits for its window to name the page, stops it, then removes
# the package and checks nothing of it is left but the user's own data.
# Needs root or password-less sudo; skipped (77) without, and when a
# quenwick package is installed already (it is not the test's to remove).
set -u
src=$1
build=$2
work=$(mktemp -d)
pid=
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif sudo -n true 2>/dev/null; then
  sudo=(sudo -n)
else
  echo "SKIP: installing a package needs root or password-less sudo"
  exit 77
fi
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  for log in "$work"/*.log; do [ -f "$log" ] && { echo "== $log"; tail -n 30 "$log"; }; done
  exit 1
}

if dpkg-query -W -f='${Status}' quenwick 2>/dev/null | grep -q 'install ok installed'; then
  echo "SKIP: a quenwick package is installed on this machine already"
  exit 77
fi

"$src/scripts/package" --no-build --build-dir "$build" --out "$work/out" > "$work/package.log" 2>&1 \
  || fail "scripts/package"
version=$(sed -n 's/^project(Quenwick VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
deb=quenwick_${version}_$(dpkg --print-architecture).deb
[ -f "$work/out/$deb" ] || fail "no $deb"

cd "$work/out" || fail "cd"
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "./$deb" > "$work/apt.log" 2>&1 \
  || fail "apt-get install ./$deb"
dpkg-query -L quenwick > "$work/files.txt" || fail "dpkg does not know the package"

for f in /usr/bin/quenwick /usr/lib/quenwick/quenwick /usr/lib/quenwick/libquenwick-web.so \
         /usr/lib/quenwick/Data/Settings/tag.dat /usr/share/applications/quenwick.desktop \
         /usr/share/icons/hicolor/scalable/apps/quenwick.svg \
         /usr/share/icons/hicolor/48x48/apps/quenwick.png \
         /usr/share/metainfo/io.github.quenwick.quenwick.metainfo.xml \
         /usr/share/man/man1/quenwick.1.gz /usr/share/man/cs/man1/quenwick.1.gz \
         /usr/share/doc/quenwick/copyright; do
  [ -e "$f" ] || fail "installed package lacks $f"
done
grep -qx 'Exec="/usr/bin/quenwick" %F' /usr/share/applications/quenwick.desktop \
  || fail "Exec line: $(grep ^Exec= /usr/share/applications/quenwick.desktop)"
[ "$(/usr/bin/quenwick --version)" = "Quenwick $version" ] || fail "--version"

# The window on a display of its own, in a home of its own.
mkdir -p "$work/home" "$work/run" && chmod 700 "$work/run"
printf '<p>Ahoj</p>\n' > "$work/home/stránka.html"
cat > "$work/show.sh" <<'SHOW'
#!/bin/bash
# Runs inside xvfb-run: starts the installed program with the page and waits
# until a visible window is titled with the page's path.
cd "$HOME" || exit 2
/usr/bin/quenwick "$HOME/stránka.html" > "$LOGS/program.log" 2>&1 &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "stránka\.html")
[ -n "$window" ] || { echo "no window names the page"; kill -9 $pid; exit 3; }
title=$(xprop -id "${window%%$'\n'*}" _NET_WM_NAME WM_NAME)
echo "$title"
case "$title" in
  *"Quenwick - $HOME/stránka.html"*) ;;
  *) echo "title does not name the page"; kill -9 $pid; exit 4 ;;
esac
kill -TERM $pid
wait $pid
status=$?
[ $status -eq 0 ] || { echo "exit status $status after SIGTERM"; exit 5; }
SHOW
HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/home/.config" \
  XDG_DATA_HOME="$work/home/.local/share" XDG_STATE_HOME="$work/home/.local/state" \
  LOGS="$work" xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/show.sh" > "$work/show.log" 2>&1 \
  || fail "the installed program did not show the page"
[ -f "$work/home/.config/Quenwick/settings.json" ] || fail "no settings written at the end"

DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -q quenwick > "$work/remove.log" 2>&1 \
  || fail "apt-get remove quenwick"
if dpkg-query -W -f='${Status}' quenwick 2>/dev/null | grep -q 'installed'; then
  fail "still installed: $(dpkg-query -W -f='${Status}' quenwick)"
fi
while read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then
    fail "left behind: $path"
  fi
done < "$work/files.txt"
for d in /usr/lib/quenwick /usr/share/doc/quenwick; do
  [ -e "$d" ] && fail "left behind: $d"
done
# The user's own data is the user's.
[ -f "$work/home/.config/Quenwick/settings.json" ] || fail "the user's settings went with the package"
echo "package $deb installed, shown and removed"
exit 0
