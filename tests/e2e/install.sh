#!/usr/bin/env bash
# Installs a built tree into a private staging folder (DESTDIR), checks that every file landed
# where a desktop expects it, then starts the installed game from an unrelated folder under its
# own virtual X server and checks that it comes up and finds its installed sounds.
# Usage: install.sh /path/to/build-dir   (configured and built)
# Needs: cmake, Xvfb (xvfb), xdotool, xprop (x11-utils), strace, gzip, od (coreutils).
# pass only prints, so "check && pass || fail" never does both.
# shellcheck disable=SC2015
set -euo pipefail
# shellcheck source=tests/e2e/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [[ $# -ne 1 ]]; then
    echo "usage: $0 /path/to/build-dir" >&2
    exit 2
fi
build=$(realpath -e -- "$1")
[[ -f $build/CMakeCache.txt ]] || { echo "FAIL: $build is not a configured build folder" >&2; exit 2; }
for tool in cmake Xvfb xdotool xprop strace gzip od; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 2; }
done

cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt" | head -n1; }
source_dir=$(cache_value Vantaro_SOURCE_DIR)
version=$(cache_value CMAKE_PROJECT_VERSION)
gamesdir=$(cache_value VANTARO_INSTALL_GAMESDIR)
[[ -d $source_dir && -n $version && -n $gamesdir ]] ||
    { echo "FAIL: $build/CMakeCache.txt lacks the source folder, version or games folder" >&2; exit 2; }

readonly start_title_re='^ {53}Введите своё имя$'
readonly main_title_re='^Vantaro$'
# Inside the start screen (client coordinates, no window manager): the name field and "УСЁ!".
readonly field_x=260 field_y=17 confirm_x=212 confirm_y=60

e2e_begin install
# The same prefix as the Debian package, so this checks the layout players get.
readonly prefix=/usr
root="$work/root"
usr="$root$prefix"
strace_pid=
failures=0

# Ends the run at once: later checks make no sense without this one.
die() {
    fail "$*"
    exit 1
}
on_exit() {
    if ((failures > 0)) && [[ -s $work/game.log ]]; then
        echo "---- game output ----"
        cat "$work/game.log"
        echo "---------------------"
    fi
}

# --- install ----------------------------------------------------------------------------------

DESTDIR="$root" cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; die "cmake --install failed"; }
pass "cmake --install into DESTDIR=$root (prefix $prefix)"

exe="$usr/$gamesdir/vantaro"
[[ -f $exe && -x $exe ]] && pass "executable $prefix/$gamesdir/vantaro" ||
    die "no executable at $prefix/$gamesdir/vantaro"

# Every sound of the source tree, byte for byte, in the data folder the game searches.
shopt -s nullglob
sounds=("$source_dir"/assets/Sound/*.wav)
shopt -u nullglob
((${#sounds[@]} > 0)) || die "no sounds in $source_dir/assets/Sound"
missing=0
for wav in "${sounds[@]}"; do
    installed="$usr/share/vantaro/Sound/$(basename "$wav")"
    if ! cmp -s "$wav" "$installed"; then
        fail "sound $(basename "$wav") is missing or differs in $prefix/share/vantaro/Sound"
        missing=$((missing + 1))
    fi
done
((missing == 0)) && pass "${#sounds[@]} sounds in $prefix/share/vantaro/Sound"

# "<width>x<height>" from a PNG header, or nothing when the file is not a PNG.
png_size() {
    od -An -tu1 -N24 "$1" 2>/dev/null | tr -s ' \n' ' ' | awk '
        $2 == 80 && $3 == 78 && $4 == 71 {
            print $17 * 16777216 + $18 * 65536 + $19 * 256 + $20 "x" \
                  $21 * 16777216 + $22 * 65536 + $23 * 256 + $24
        }'
}
for size in 16 32 48 64 128 256; do
    icon="$usr/share/icons/hicolor/${size}x${size}/apps/vantaro.png"
    got=$(png_size "$icon")
    if [[ $got == "${size}x${size}" ]]; then
        pass "icon ${size}x${size}"
    else
        fail "icon $prefix/share/icons/hicolor/${size}x${size}/apps/vantaro.png is '${got:-not a PNG}'"
    fi
done

# The menu entry has to start the installed executable by name and show the installed icon.
desktop="$usr/share/applications/vantaro.desktop"
if [[ ! -f $desktop ]]; then
    fail "no $prefix/share/applications/vantaro.desktop"
elif ! grep -qx 'Exec=vantaro' "$desktop" || ! grep -qx 'Icon=vantaro' "$desktop" ||
    ! grep -qx 'Type=Application' "$desktop"; then
    fail "vantaro.desktop does not run 'vantaro' with the icon 'vantaro'"
else
    pass "desktop entry"
fi

metainfo="$usr/share/metainfo/vantaro.metainfo.xml"
if [[ ! -f $metainfo ]]; then
    fail "no $prefix/share/metainfo/vantaro.metainfo.xml"
elif ! grep -q '<launchable type="desktop-id">vantaro.desktop</launchable>' "$metainfo"; then
    fail "the metainfo does not launch vantaro.desktop"
elif ! grep -q "<release version=\"$version\"" "$metainfo"; then
    fail "the metainfo has no release $version"
else
    pass "AppStream metainfo for release $version"
fi

for doc in share/man/man6/vantaro.6.gz share/doc/vantaro/changelog.gz; do
    if gzip -t "$usr/$doc" 2>/dev/null; then pass "$doc"; else fail "$prefix/$doc is missing or broken"; fi
done
[[ -s $usr/share/doc/vantaro/copyright ]] && pass "share/doc/vantaro/copyright" ||
    fail "no $prefix/share/doc/vantaro/copyright"

# --- the installed game -----------------------------------------------------------------------

start_xvfb 1024x768 || die "Xvfb did not start"
# A folder with no Sound/ in it: only the installed data folder can supply the sounds.
mkdir "$work/cwd"
cd "$work/cwd"
# The launching shell would look the previous folder up (bash checks OLDPWD as it starts).
unset OLDPWD

# Every call that names a file, one trace file per thread (so no call is split across lines).
# The shell writes its pid and execs the game in place, so that pid is the game's.
# shellcheck disable=SC2016 # $$ and $1 are the inner shell's.
strace -f -ff --seccomp-bpf -e trace=%file -o "$work/trace" -- \
    bash -c 'echo $$ >"$1"; exec "$2"' vantaro-launch "$work/game.pid" "$exe" \
    >"$work/game.log" 2>&1 &
strace_pid=$!

pid_written() { [[ -s $work/game.pid ]]; }
wait_until "$e2e_wait" "the launcher to report the game's pid" pid_written || die "strace did not start the game"
game_pid=$(<"$work/game.pid")

start_win=$(wait_window "$start_title_re" 60) || die "the installed game's start screen did not appear"
title=$(xdotool getwindowname "$start_win")
[[ $title == "$(printf '%53s' '')Введите своё имя" ]] || die "start screen title is '$title'"
grep -qsF "execve(\"$exe\"" "$work/trace.$game_pid" || die "the process on screen is not $exe"
pass "installed game started from $PWD shows its start screen"

# How the game finds a sound (resolveSoundPath): a stat of Sound/Click1.wav in the working
# folder, then of <executable's folder>/../share/vantaro/Sound/Click1.wav, plus a readability
# check. Only then, and only if an audio device exists, is the file opened for playing. This run
# lets the sound library find no server, so no device and no open, but the lookup runs on every
# keystroke. A successful stat of the installed file is therefore the proof that the installed
# game reaches its data folder; with a sound card the open follows the same path.
click="$usr/share/vantaro/Sound/Click1.wav"
found_click() {
    cat "$work"/trace.* 2>/dev/null | grep -F "\"$click\"" |
        grep -cE '^(statx|newfstatat|fstatat64|stat|stat64|lstat|openat|open)\(.* = [0-9]+$' || true
}
before=$(found_click)
xdotool windowfocus "$start_win"
xdotool mousemove --window "$start_win" "$field_x" "$field_y" click 1
xdotool type --delay 30 -- a
after=$before
click_found() { after=$(found_click) && ((after > before)) || ! game_alive; }
wait_until "$e2e_wait" "a lookup of Click1.wav after a keystroke" click_found || true
if ((after > before)); then
    pass "a keystroke found Sound\\Click1.wav at $prefix/share/vantaro/Sound/Click1.wav"
else
    echo "---- lookups of Click1.wav ----"
    cat "$work"/trace.* 2>/dev/null | grep -F 'Click1.wav' || echo "(none)"
    echo "-------------------------------"
    fail "a keystroke did not find $prefix/share/vantaro/Sound/Click1.wav"
fi

# The same keystroke loaded the installed sound module (the game loads it on its first sound,
# with or without an audio device), and the game did not report it broken.
module=$(find "$usr" -name 'libvantaro_sound.so*' -type f | head -n1)
opened_module() {
    [[ -n $module ]] && cat "$work"/trace.* 2>/dev/null | grep -F "\"$module\"" |
        grep -qE '^(openat|open)\(.* = [0-9]+$'
}
module_opened_or_game_gone() { opened_module || ! game_alive; }
wait_until "$e2e_wait" "the installed sound module to be opened" module_opened_or_game_gone || true
if [[ -z $module ]]; then
    fail "no sound module under $prefix"
elif opened_module && ! grep -q 'sound module' "$work/game.log"; then
    pass "the installed sound module ${module#"$root"} loads"
else
    fail "the installed sound module ${module#"$root"} did not load: $(grep 'sound module' "$work/game.log" || true)"
fi

# Nothing may come from the build or source tree: the staging folder is the only game data.
# (A left-over build RPATH or a compiled-in source path would show up here.)
leaks=$(cat "$work"/trace.* | grep -F -e "\"$build/" -e "\"$source_dir/" | grep -vF "\"$work/" || true)
if [[ -z $leaks ]]; then
    pass "the installed game touched no file of the build or source tree"
else
    fail "the installed game reached into the tree:"
    head -n 20 <<<"$leaks"
fi

# The main window's icon is compiled in; a missing resource would leave it without one.
xdotool mousemove --window "$start_win" "$confirm_x" "$confirm_y" mousedown 1
xdotool mouseup 1
main_win=$(wait_window "$main_title_re") || die "the main window did not open after the name 'a'"
icon_prop=
has_icon() {
    icon_prop=$(xprop -id "$main_win" _NET_WM_ICON 2>/dev/null | head -c 200 || true)
    [[ $icon_prop == *"_NET_WM_ICON(CARDINAL) = "* ]]
}
wait_until "$e2e_wait" "an icon on the main window" has_icon || true
if [[ $icon_prop == *"_NET_WM_ICON(CARDINAL) = "* ]]; then
    pass "the main window carries the game's icon"
else
    fail "the main window has no icon: ${icon_prop:-no answer}"
fi

game_alive || die "the installed game died"
kill "$game_pid"
wait_gone "$game_pid" "$e2e_wait" "the installed game, after SIGTERM," || die "the installed game outlived SIGTERM"
game_pid=
wait_gone "$strace_pid" "$e2e_wait" "strace, after the game ended," || die "strace did not finish"

if ((failures > 0)); then
    echo "FAIL: $failures check(s) of the installed game failed"
    exit 1
fi
echo "PASS: installed game"
