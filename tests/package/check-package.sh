#!/usr/bin/env bash
# The Debian package, made by CPack from a built Release tree and checked from the outside:
# lintian, the exact contents with their modes and owners, the metadata and the desktop
# entry, and the packaged program itself, started on an X server of its own.
#
#   check-package.sh <build dir> <version>
set -euo pipefail
BUILD=$(realpath "$1")
VERSION=$2

WORK=$(mktemp -d)
APP_PID=
X_PID=
cleanup() {
    set +e
    for pid in $APP_PID $X_PID; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

echo "-- building the package"
(cd "$BUILD" && cpack --config CPackConfig.cmake -B "$WORK/out" >"$WORK/cpack.log" 2>&1) ||
    { cat "$WORK/cpack.log"; fail "cpack"; }
DEB=$WORK/out/lapido_${VERSION}_amd64.deb
[ -f "$DEB" ] || fail "no $(basename "$DEB"): $(ls "$WORK/out")"
echo "$(basename "$DEB"): $(stat -c %s "$DEB") bytes"
dpkg-deb -f "$DEB" Package Version Section Depends
[ "$(dpkg-deb -f "$DEB" Version)" = "$VERSION" ] || fail "control Version"
[ "$(dpkg-deb -f "$DEB" Section)" = graphics ] || fail "control Section"
# What the program links, found by dpkg-shlibdeps, not written by hand.
depends=$(dpkg-deb -f "$DEB" Depends)
for lib in libc6 libqt6widgets6 libqt6gui6 libqt6core6; do
    [[ ", $depends," == *", $lib "* ]] || fail "Depends lacks $lib"
done

echo "-- lintian"
lintian_status=0
lintian --display-info "$DEB" >"$WORK/lintian.log" 2>&1 || lintian_status=$?
cat "$WORK/lintian.log"
if [ "$lintian_status" -ne 0 ] || grep -q '^E: ' "$WORK/lintian.log"; then
    fail "lintian reports errors (status $lintian_status)"
fi

echo "-- contents"
# Every entry with its mode and owner, so a missing, stray or wrongly permitted file shows.
dpkg-deb -c "$DEB" | awk '{ print $1, $2, $6 }' >"$WORK/contents"
cat >"$WORK/expected" <<'EOF'
drwxr-xr-x root/root ./usr/
drwxr-xr-x root/root ./usr/bin/
-rwxr-xr-x root/root ./usr/bin/lapido
drwxr-xr-x root/root ./usr/share/
drwxr-xr-x root/root ./usr/share/applications/
-rw-r--r-- root/root ./usr/share/applications/io.github.lapido.Lapido.desktop
drwxr-xr-x root/root ./usr/share/doc/
drwxr-xr-x root/root ./usr/share/doc/lapido/
-rw-r--r-- root/root ./usr/share/doc/lapido/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/lapido/copyright
drwxr-xr-x root/root ./usr/share/icons/
drwxr-xr-x root/root ./usr/share/icons/hicolor/
drwxr-xr-x root/root ./usr/share/icons/hicolor/16x16/
drwxr-xr-x root/root ./usr/share/icons/hicolor/16x16/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/16x16/apps/lapido.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/32x32/
drwxr-xr-x root/root ./usr/share/icons/hicolor/32x32/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/32x32/apps/lapido.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/48x48/apps/lapido.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/scalable/
drwxr-xr-x root/root ./usr/share/icons/hicolor/scalable/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/lapido.svg
drwxr-xr-x root/root ./usr/share/man/
drwxr-xr-x root/root ./usr/share/man/man1/
-rw-r--r-- root/root ./usr/share/man/man1/lapido.1.gz
drwxr-xr-x root/root ./usr/share/metainfo/
-rw-r--r-- root/root ./usr/share/metainfo/io.github.lapido.Lapido.metainfo.xml
EOF
diff -u <(LC_ALL=C sort -k3 "$WORK/expected") <(LC_ALL=C sort -k3 "$WORK/contents") ||
    fail "the contents differ from the list"

ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"
file -b "$ROOT/usr/bin/lapido" | grep -q ', stripped' || fail "usr/bin/lapido is not stripped"
for png in 16 32 48; do
    identify -format '%wx%h' "$ROOT/usr/share/icons/hicolor/${png}x$png/apps/lapido.png" |
        grep -qx "${png}x$png" || fail "the ${png}x$png icon has another size"
done
MAN=$ROOT/usr/share/man/man1/lapido.1.gz
man_errors=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$MAN" 2>&1 >/dev/null) ||
    fail "man cannot show the manual page: $man_errors"
[ -z "$man_errors" ] || fail "the manual page: $man_errors"

echo "-- metadata and desktop entry"
APPS=$ROOT/usr/share/applications
METAINFO=$ROOT/usr/share/metainfo/io.github.lapido.Lapido.metainfo.xml
appstreamcli validate --no-net "$METAINFO" || fail "appstreamcli validate"
# The installed tree as a whole: the launchable desktop entry is where the metadata says.
appstreamcli validate-tree --no-net "$ROOT" || fail "appstreamcli validate-tree"
desktop-file-validate "$APPS"/*.desktop || fail "desktop-file-validate"
[ -z "$(desktop-file-validate "$APPS"/*.desktop)" ] || fail "desktop-file-validate has remarks"
# The software centre and the menu show the same application.
entry() { sed -n "s/^$1=//p" "$APPS/io.github.lapido.Lapido.desktop"; }
tag() { sed -n "s|.*<$1[^>]*>\\(.*\\)</$1>.*|\\1|p" "$METAINFO" | paste -sd';'; }
[ "$(entry Name)" = "$(tag name)" ] || fail "Name differs from the metadata's name"
[ "$(entry Icon)" = "$(tag icon)" ] || fail "Icon differs from the metadata's icon"
[ "$(entry Categories)" = "$(tag category);" ] || fail "Categories differ from the metadata's"
[ "$(entry Exec)" = lapido ] || fail "Exec is not lapido"
[ -f "$ROOT/usr/share/icons/hicolor/scalable/apps/$(entry Icon).svg" ] ||
    fail "no scalable icon named $(entry Icon)"
grep -q "<release version=\"$VERSION\"" "$METAINFO" || fail "no release entry for $VERSION"

echo "-- the packaged program on its own X server"
deadline() { echo $(($(date +%s) + $1)); }
mkdir -m 700 "$WORK/runtime" "$WORK/home"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$WORK/display" \
    >"$WORK/xvfb.log" 2>&1 &
X_PID=$!
end=$(deadline 30)
until [ -s "$WORK/display" ]; do
    [ "$(date +%s)" -lt "$end" ] || { cat "$WORK/xvfb.log"; fail "Xvfb did not start"; }
    sleep 0.1
done
DISPLAY=:$(cat "$WORK/display")
export DISPLAY
# In a private runtime directory and home, on X11, with no session bus (one would be
# launched, and outlive the test).
LAPIDO=(env -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$WORK/runtime" HOME="$WORK/home"
    QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/no-bus" "$ROOT/usr/bin/lapido")
"${LAPIDO[@]}" >"$WORK/lapido.log" 2>&1 &
APP_PID=$!

window=
end=$(deadline 60)
while [ -z "$window" ]; do
    kill -0 "$APP_PID" 2>/dev/null || { cat "$WORK/lapido.log"; fail "lapido ended"; }
    [ "$(date +%s)" -lt "$end" ] || fail "no window \"Facetta\" appeared"
    window=$(xwininfo -root -tree 2>/dev/null |
        awk '/"Facetta"/ && !id { id = $1 } END { print id }' || true)
    [ -n "$window" ] || sleep 0.2
done
echo "window $window"

# The stone: in the left part of the window, below the toolbar, the view's grey background
# and, on it, coloured pixels (the facets; the frame-rate text and the panel are grey).
view_pixels() {
    local size w h
    import -window "$window" "$WORK/shot.png" 2>/dev/null || return 1
    size=$(identify -format '%w %h' "$WORK/shot.png")
    w=${size% *}
    h=${size#* }
    convert "$WORK/shot.png" +repage \
        -crop "$((w * 48 / 100))x$((h * 65 / 100))+$((w / 50))+$((h * 15 / 100))" +repage \
        -format %c histogram:info:- |
        awk -F'[(),:]' '{
            n = $1 + 0; total += n
            hi = $3; lo = $3
            if ($4 > hi) hi = $4; if ($5 > hi) hi = $5
            if ($4 < lo) lo = $4; if ($5 < lo) lo = $5
            if ($3 == 191 && $4 == 191 && $5 == 191) grey += n
            else if (hi - lo > 40) colour += n
        } END { printf "%d %d %d\n", total, grey, colour }'
}
end=$(deadline 30)
while :; do
    read -r total grey colour < <(view_pixels || echo 1 0 0)
    # at least a quarter background, and a stone of at least 1% of the part
    if [ $((grey * 4)) -ge "$total" ] && [ $((colour * 100)) -ge "$total" ]; then
        break
    fi
    [ "$(date +%s)" -lt "$end" ] ||
        fail "no stone on the grey view: $grey grey and $colour coloured of $total pixels"
    sleep 0.2
done
echo "view: $grey grey and $colour coloured of $total pixels"

# One copy per session: the guard lies in the runtime directory, and a second start ends at
# once with status 0, leaving the first and its window.
[ -e "$WORK/runtime/UniqueName_Lapido.lock" ] || fail "no lock in XDG_RUNTIME_DIR"
second=0
timeout 60 "${LAPIDO[@]}" >"$WORK/second.log" 2>&1 || second=$?
[ "$second" -eq 0 ] || fail "a second start ended with status $second"
[ ! -s "$WORK/second.log" ] || fail "a second start printed: $(cat "$WORK/second.log")"
kill -0 "$APP_PID" 2>/dev/null || fail "the first copy ended"
xwininfo -id "$window" >/dev/null 2>&1 || fail "the first copy's window went"
# It keeps nothing: no settings, caches or logs of its own beside the guard.
[ -z "$(ls -A "$WORK/home")" ] || fail "it wrote into HOME: $(ls -A "$WORK/home")"
[ "$(ls -A "$WORK/runtime")" = UniqueName_Lapido.lock ] ||
    fail "more than the lock in XDG_RUNTIME_DIR: $(ls -A "$WORK/runtime")"
echo "PASS"
