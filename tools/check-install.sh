#!/usr/bin/env bash
# Installs the built program (build/, after tools/test.sh) the two ways a user would and checks
# the result: `cmake --install` into a scratch prefix that is then moved, run with the build tree
# out of the way; the desktop entry, the metainfo and the manual pages validated; the Debian
# package built, checked by lintian, looked into, installed with dpkg, started under Xvfb on the
# installed example (a screenshot is kept in build/install-check/), and removed. The dpkg steps need root and a machine where brenvik is not
# installed already (as in CI); elsewhere they are skipped with a note.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD
build=$source/build
shots=$build/install-check
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
app_id=org.brenvik.Brenvik
scratch=$(mktemp -d /tmp/brenvik-install.XXXXXX)
moved_build=""
package_installed=false

fail() { echo "check-install: FAILED: $*" >&2; exit 1; }
step() { echo "== $*"; }
cleanup() {
    [ -z "$moved_build" ] || mv "$moved_build" "$build"
    ! $package_installed || dpkg -r brenvik > /dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

# What an install holds, relative to its prefix.
expected=(bin/brenvik bin/brenvik-jconv bin/brenvik-grep
    share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml
    share/icons/hicolor/scalable/apps/brenvik.svg
    share/man/man1/brenvik.1.gz share/man/man1/brenvik-jconv.1.gz share/man/man1/brenvik-grep.1.gz
    share/man/ja/man1/brenvik.1.gz
    share/doc/brenvik/README.md share/doc/brenvik/copyright share/doc/brenvik/changelog.gz
    share/brenvik/keijiban.cgi)
for size in 16 32 48 128 256; do
    expected+=("share/icons/hicolor/${size}x$size/apps/brenvik.png")
done
# The phrase folders ship once the tree has them.
shipped=()
for phrases in Const p_const; do
    if [ -d "data/$phrases" ]; then
        shipped+=("$phrases")
        expected+=("share/brenvik/$phrases")
    else
        echo "note: no data/$phrases in this tree, so none is installed or seeded"
    fi
done

expect_output() { # expected-text command...
    local want=$1 got
    shift
    got=$("$@") || fail "$* exited with $?"
    [[ "$got" == *"$want"* ]] || fail "$* printed '$got', not '$want'"
}

# Runs BIN/brenvik as a new user under Xvfb on EXAMPLE, keeps a screenshot, then checks that the
# settings and the seeded phrase folders went to that user's data folder and not beside BIN.
check_window() { # bin-folder example shared-folder
    local bin=$1 example=$2 shared=$3 home=$scratch/home-$RANDOM
    mkdir -p "$home" "$shots"
    HOME=$home XDG_DATA_HOME='' XDG_CONFIG_HOME='' xvfb-run -a -s "-screen 0 1280x900x24" \
        bash -c '
            "$1/brenvik" "$2" & program=$!
            for _ in $(seq 100); do
                xwininfo -root -tree | grep -q "keijiban.cgi" && break
                sleep 0.2
            done
            sleep 1
            xwininfo -root -tree > "$3/windows.txt"
            window=$(awk "/keijiban.cgi/ { print \$1; exit }" "$3/windows.txt")
            import -window "${window:-root}" "$3/main-window.png"
            xprop -id "${window:-root}" _NET_WM_ICON | grep -o "Icon ([0-9]* x [0-9]*)" > "$3/icon.txt"
            kill $program' _ "$bin" "$example" "$shots"
    grep -q 'keijiban.cgi.*("brenvik" "Brenvik")' "$shots/windows.txt" ||
        fail "no window showing keijiban.cgi with the class of StartupWMClass=Brenvik: $(cat "$shots/windows.txt")"
    # Qt hands the window manager the sizes up to 128 pixels.
    for size in 16 32 48 128; do
        grep -q "Icon ($size x $size)" "$shots/icon.txt" ||
            fail "the window does not offer the program icon at $size pixels: $(cat "$shots/icon.txt")"
    done
    local colours
    colours=$(identify -format %k "$shots/main-window.png")
    [ "$colours" -gt 16 ] || fail "the screenshot has $colours colours: nothing painted"
    local data=$home/.local/share/Brenvik
    grep -q "keijiban.cgi" "$data/brenvik.ini" || fail "no settings in $data/brenvik.ini"
    [ ! -e "$bin/brenvik.ini" ] || fail "settings were written beside the program in $bin"
    for phrases in "${shipped[@]}"; do
        diff -r "$shared/$phrases" "$data/$phrases" || fail "$phrases was not seeded into $data"
    done
    echo "window shown (build/install-check/main-window.png); settings and phrases in the user's folder"
}

step "cmake --install into a scratch prefix, then moved"
cmake --install "$build" --prefix "$scratch/prefix" --strip > /dev/null
mv "$scratch/prefix" "$scratch/moved"
prefix=$scratch/moved
for file in "${expected[@]}"; do
    [ -e "$prefix/$file" ] || fail "$file is not installed"
done
if found=$(grep -r -l -F -e "$source" -e "$scratch/prefix" "$prefix"); then
    fail "installed files name the source, build or install folder: $found"
fi

step "the moved install runs with the build tree out of the way"
moved_build=$source/build.away-$$
mv "$build" "$moved_build"
expect_output "Brenvik $version" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/brenvik" --version
expect_output "brenvik [--help]" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/brenvik" --help
expect_output "brenvik-jconv $version" "$prefix/bin/brenvik-jconv" --version
expect_output "keijiban.cgi	S-JIS	CRLF" "$prefix/bin/brenvik-jconv" --guess "$prefix/share/brenvik/keijiban.cgi"
expect_output "brenvik-grep $version" "$prefix/bin/brenvik-grep" --version
mv "$moved_build" "$build"
moved_build=""

step "desktop entry, metainfo and manual pages"
desktop-file-validate "$prefix/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"
grep -q "^StartupWMClass=Brenvik$" "$prefix/share/applications/$app_id.desktop" || fail "StartupWMClass"
for page in man1/brenvik man1/brenvik-jconv man1/brenvik-grep ja/man1/brenvik; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/$page.1.gz" 2>&1 > /dev/null)
    [ -z "$warnings" ] || fail "manual page $page: $warnings"
done
# The about box links to the README where the program's folder says it is.
[ -e "$prefix/bin/../share/doc/brenvik/README.md" ] || fail "no README where the about box links"

step "the Debian package"
tools/package.sh > "$scratch/cpack.log" || { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$build/brenvik_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb"
info=$(dpkg-deb --info "$deb")
for field in "Package: brenvik" "Version: $version" "Section: editors" "Maintainer: " \
    "fonts-ipafont-gothic" "libqt6widgets6" "libonig5" "Perl/CGI スクリプトエディタ"; do
    [[ "$info" == *"$field"* ]] || fail "the package's control has no '$field': $info"
done
# lintian's errors fail the check; its warnings are shown.
lintian --tag-display-limit 0 "$deb" > "$scratch/lintian.txt" 2>&1 || true
cat "$scratch/lintian.txt"
! grep -q "^E: " "$scratch/lintian.txt" || fail "lintian reports errors on the package"
contents=$(dpkg-deb --contents "$deb")
for file in "${expected[@]}"; do
    grep -q " ./usr/$file/\?$" <<< "$contents" || fail "the package lacks /usr/$file"
done

if [ "$(id -u)" -ne 0 ] || dpkg-query -W -f='${Status}' brenvik 2>/dev/null | grep -q "installed"; then
    echo "note: dpkg -i skipped (needs root and no brenvik installed already); checking the window from the scratch install"
    check_window "$prefix/bin" "$prefix/share/brenvik/keijiban.cgi" "$prefix/share/brenvik"
    exit 0
fi
step "dpkg -i, run from /usr/bin, dpkg -r"
dpkg -i "$deb" > /dev/null
package_installed=true
expect_output "Brenvik $version" env -u DISPLAY /usr/bin/brenvik --version
check_window /usr/bin /usr/share/brenvik/keijiban.cgi /usr/share/brenvik
dpkg -r brenvik > /dev/null
package_installed=false
for file in "${expected[@]}"; do
    [ ! -e "/usr/$file" ] || fail "/usr/$file is left after dpkg -r"
done
[ ! -e /usr/share/brenvik ] || fail "/usr/share/brenvik is left after dpkg -r"
echo "install checks passed"
