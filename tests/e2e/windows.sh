#!/usr/bin/env bash
# The Windows game as a player gets it: the zip unpacked into a fresh folder and started from
# another working directory, under Wine on a private virtual X server, driven by keyboard and
# mouse through XTEST (Wine takes no events sent to one window). Then the setup program: started
# twice, failing halfway, an upgrade from OLDER_SETUP (an older version), the game from its
# Start menu shortcut, the uninstaller, upgrades in a folder of the player's and into another,
# and a desktop shortcut the player made.
# Usage: windows.sh ZIP PICTURES SETUP OLDER_SETUP
# Needs: wine, Xvfb, xdotool, xmodmap, import, convert and compare (imagemagick), unzip,
# x86_64-w64-mingw32-objdump and -windres.
set -euo pipefail
# shellcheck source=tests/e2e/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [[ $# -ne 4 ]]; then
    echo "usage: $0 vantaro-VERSION-win64.zip tests/pictures SETUP.exe OLDER_SETUP.exe" >&2
    exit 2
fi
zip=$(realpath -e -- "$1")
pictures=$(realpath -e -- "$2")
setup=$(realpath -e -- "$3")
older=$(realpath -e -- "$4")
for tool in wine Xvfb xdotool xmodmap import convert compare unzip x86_64-w64-mingw32-objdump \
    x86_64-w64-mingw32-windres; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 2; }
done

readonly start_title_re='^ {53}Введите своё имя$'
readonly main_title_re='^Vantaro$'
readonly shop_title_re='^ {50}Магазин\. Поел и порядок\.\.\.$'
# Client coordinates: the start screen's name field and "УСЁ!", and the field's blinking caret
# (a settled shot may catch it on or off).
readonly field_x=260 field_y=17 confirm_x=212 confirm_y=60 caret_box=186,10,6,15
# What moves on the main screen by itself, "x,y,w,h": the date and the clock, the satiety that
# falls each day, and the turning ship.
readonly clock_box=152,0,176,17 satiety_box=146,40,110,24 ship_box=570,162,150,150
# The money, which a breakfast takes from.
readonly money_box=146,64,110,24

e2e_begin windows
failures=0
die() {
    fail "$*"
    if [[ -s $work/game.log ]]; then
        echo "---- game output ----"
        tail -n 40 "$work/game.log"
    fi
    exit 1
}

# --- the files ------------------------------------------------------------------------------

start_xvfb 1024x768 || die "no X server"
russian_keys
start_wine || die "no Wine"
# A fresh folder with a blank and Cyrillic letters in its name, as a player's may have.
folder="$work/Мои игры/Vantaro"
mkdir -p "$folder"
unzip -q "$zip" -d "$folder"
exe="$folder/vantaro.exe"
[[ -f $exe && -f $folder/Sound/Click1.wav ]] || die "the zip holds no vantaro.exe beside Sound\\"

# A GUI program (no console window) that needs nothing beyond Windows' own libraries: every
# library the game or its sound module imports is one that Windows (here, Wine) has itself, in
# its system folder or among the API sets (api-ms-win-*) that its loader resolves by name.
system32="$WINEPREFIX/drive_c/windows/system32"
for file in "$exe" "$folder"/*.dll; do
    [[ -f $file ]] || continue
    x86_64-w64-mingw32-objdump -p "$file" >"$work/objdump.txt"
    foreign=()
    while read -r dll; do
        [[ -e $system32/${dll,,} || ${dll,,} == api-ms-win-* ]] || foreign+=("$dll")
    done < <(sed -n 's/^[[:space:]]*DLL Name: //p' "$work/objdump.txt")
    if ((${#foreign[@]} > 0)); then
        fail "$(basename "$file") needs libraries Windows does not have: ${foreign[*]}"
    else
        pass "$(basename "$file") imports only Windows' own libraries"
    fi
done
# Explorer shows the game's icon and the version the zip is named after.
version=${zip##*/vantaro-}
version=${version%-win64.zip}
# Explorer's Details tab and the Task Manager read the version block's Russian strings.
x86_64-w64-mingw32-windres -i "$exe" -O rc -o "$work/resources.rc"
missing=()
grep -q 'RT_GROUP_ICON' "$work/resources.rc" || missing+=(icon)
grep -q '^ *BLOCK "041904B0"$' "$work/resources.rc" || missing+=('a Russian block')
for want in "ProductName=Vantaro" "FileDescription=Vantaro, a life simulation game" \
    "CompanyName=Vantaro team" "ProductVersion=$version" "FileVersion=$version"; do
    grep -qF "VALUE \"${want%%=*}\", \"${want#*=}\"" "$work/resources.rc" || missing+=("$want")
done
if ((${#missing[@]} == 0)); then
    pass "vantaro.exe carries the icon and a version block naming Vantaro $version"
else
    fail "vantaro.exe lacks ${missing[*]}: $(grep VALUE "$work/resources.rc" | tr -s ' \n' ' ')"
fi
if grep -qE '^Subsystem[[:space:]]+0+2[[:space:]]' <(x86_64-w64-mingw32-objdump -p "$exe"); then
    pass "vantaro.exe is a GUI program"
else
    fail "vantaro.exe is not a GUI program: $(grep '^Subsystem' <(x86_64-w64-mingw32-objdump -p "$exe"))"
fi

# --- the game -------------------------------------------------------------------------------

mkdir "$work/elsewhere"
cd "$work/elsewhere"
start_game() {
    wine "$exe" >"$work/game.log" 2>&1 &
    game_pid=$!
    start_win=$(wait_window "$start_title_re" 60) || die "no start screen"
}

# The masked shot of a window against its reference picture.
matches_reference() { # WINDOW NAME MOVING_BOXES...
    local win=$1 name=$2
    shift 2
    settled_shot "$win" "$work/$name.png" 1 "$@" || return 1
    same_as_reference "$work/$name.png" "$pictures" "$name" "$@"
}

# A box of a window, "x,y,w,h", grabbed into FILE; and whether it now differs from that FILE.
grab_box() { grab -window "$1" -crop "$(crop_geometry "$2" 1)" +repage "$3"; }
box_differs() { # WINDOW BOX FILE
    grab_box "$1" "$2" "$work/box-now.png" &&
        [[ $(compare -metric AE "$3" "$work/box-now.png" null: 2>&1) != 0 ]]
}

start_game
matches_reference "$start_win" begin "$caret_box"
# The name the main screen's picture was taken with.
xdotool mousemove --window "$start_win" "$field_x" "$field_y" click 1
xdotool type --delay 40 -- 'Владислав Шишковский'
xdotool mousemove --window "$start_win" "$confirm_x" "$confirm_y" mousedown 1 mouseup 1
main_win=$(wait_window "$main_title_re") || die "no main screen after the name"
wait_no_window "$start_title_re" || die "the start screen stays with the main screen"
grab_box "$main_win" "$clock_box" "$work/clock.png"
wait_until 10 "the clock to tick" box_differs "$main_win" "$clock_box" "$work/clock.png" &&
    pass "the clock ticks" || fail "the clock stands still"
matches_reference "$main_win" main "$clock_box" "$satiety_box" "$ship_box"

# A breakfast by keyboard: Enter on the focused shop opener, Tab round the shop's buttons to the
# breakfast again, Enter; the money goes down by its price. Shift+Tab to the way back, Enter.
grab_box "$main_win" "$money_box" "$work/money.png"
xdotool key Return
wait_window "$shop_title_re" >/dev/null || die "Enter on the main screen opened no shop"
xdotool key Tab Tab Tab Tab Tab Return
wait_until 10 "the money to change" box_differs "$main_win" "$money_box" "$work/money.png" &&
    pass "a breakfast is bought by keyboard" || fail "Tab and Enter in the shop bought no breakfast"
xdotool key shift+Tab Return
wait_no_window "$shop_title_re" || die "Shift+Tab and Enter did not leave the shop"

# F1 on the main screen: the help over all of it. A click on the empty black below the frames
# gives the main screen the keyboard.
xdotool mousemove --window "$main_win" 400 470 click 1
xdotool key F1
matches_reference "$main_win" main_help
game_alive || die "the game died"
stop_game

# Esc on the start screen ends the game, with code 0.
start_game
xdotool mousemove --window "$start_win" "$field_x" "$field_y" click 1
xdotool key Escape
wait_gone "$game_pid" "$e2e_wait" "the game after Esc" || die "Esc did not end the game"
game_pid=
((gone_rc == 0)) && pass "Esc on the start screen ends the game" ||
    fail "after Esc the game ended with code $gone_rc"

# --- the setup program ----------------------------------------------------------------------

# Each step's Windows processes end, and with them Wine's server, before the next step looks: a
# lingering server can keep the next window from showing, and an uninstaller hands its work to
# a copy of itself and returns at once.
settle_wine() { wineserver -w; }
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall'
# How many Apps & features entries are named Vantaro, the player's and the machine's.
entries() {
    { wine reg query "HKCU\\$uninstall_key" /s; wine reg query "HKLM\\$uninstall_key" /s; } 2>/dev/null |
        tr -d '\r' | grep -cx '    DisplayName    REG_SZ    Vantaro' || true
}
# The player's entry as NAME=VALUE lines in $work/entry.txt (none when there is no entry); a
# value of it.
read_entry() {
    { wine reg query "HKCU\\$uninstall_key\\Vantaro" 2>/dev/null || true; } | tr -d '\r' |
        sed -n 's/^    \([A-Za-z]*\)    REG_[A-Z]*    \(.*\)$/\1=\2/p' >"$work/entry.txt"
}
value() { sed -n "s/^$1=//p" "$work/entry.txt"; }
# Every file and folder of drive C outside Windows' own and its temporary folder (where a setup
# stopped by force leaves what it unpacked), and every registry line naming the game.
traces() {
    settle_wine
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -print) |
        grep -v '/Temp\(/\|$\)' | sort
    grep -ahi vantaro "$WINEPREFIX"/*.reg || true
}
# Whether the traces now are those before the first setup, in $work/traces.diff if not. Windows'
# own folder for the player's programs may stay.
no_new_traces() {
    traces | grep -vx './users/[^/]*/AppData/Local/Programs' >"$work/after.txt"
    diff "$work/before.txt" "$work/after.txt" >"$work/traces.diff"
}
run_setup() { # SETUP ARGS... ; leaves its exit code in setup_rc
    setup_rc=0
    wine "$@" >>"$work/setup.log" 2>&1 || setup_rc=$?
    settle_wine
}
# Runs the quiet uninstaller the entry names.
uninstall_quietly() {
    read_entry
    local quiet uninstaller
    quiet=$(value QuietUninstallString)
    uninstaller=${quiet#\"}
    uninstaller=${uninstaller%%\"*}
    run_setup "$uninstaller" "${quiet##*\" }"
}

# A folder of drive C as Windows spells it.
windows_path() { # FOLDER
    local path="C:${1#"$WINEPREFIX/drive_c"}"
    echo "${path//\//\\}"
}
appdata=$(echo "$WINEPREFIX"/drive_c/users/*/AppData)
install="$appdata/Local/Programs/Vantaro"
install_win=$(windows_path "$install")
shortcut="$appdata/Roaming/Microsoft/Windows/Start Menu/Programs/Vantaro.lnk"
desktop="$appdata/../Desktop"
traces >"$work/before.txt"

# Started twice: the second setup stops at once while the first shows its first page; cut
# short there, the first leaves nothing.
wine "$older" >>"$work/setup.log" 2>&1 &
first_setup=$!
wait_window '^Установка Vantaro ' 60 >/dev/null || fail "the setup program shows no window"
setup_rc=0
wine "$setup" /S >>"$work/setup.log" 2>&1 || setup_rc=$?
((setup_rc == 2)) && [[ ! -e $install ]] && pass "a second setup while one runs stops at once" ||
    fail "a second setup while one runs ended with code $setup_rc and made: $(ls -A "$install" 2>&1)"
stop_all "$first_setup"
# Failing halfway, when a file cannot be written, the setup takes away what it had done.
mkdir -p "$install/vantaro_sound.dll"
run_setup "$setup" /S
rmdir "$install/vantaro_sound.dll" "$install" 2>/dev/null || true
if ((setup_rc != 0)) && no_new_traces; then
    pass "a setup cut short or failing halfway leaves nothing"
else
    fail "a failed setup ended with code $setup_rc and left: $(cat "$work/traces.diff")"
fi

# The older version, then this one over it: one entry, of this version, and nothing of the
# older one's own files (its Extras\ folder) left.
run_setup "$older" /S
read_entry
older_version=$(value DisplayVersion)
[[ $setup_rc == 0 && -d $install/Extras && $older_version != "$version" ]] ||
    fail "the older setup ended with code $setup_rc and installed version '$older_version'"
run_setup "$setup" /S
read_entry
want=(
    "DisplayName=Vantaro" "DisplayVersion=$version" "Publisher=Vantaro team"
    "DisplayIcon=$install_win\\vantaro.exe,0" "InstallLocation=$install_win"
    "UninstallString=\"$install_win\\uninstall.exe\""
    "QuietUninstallString=\"$install_win\\uninstall.exe\" /S"
    "NoModify=0x1" "NoRepair=0x1"
)
missing=()
for line in "${want[@]}"; do grep -qxF -- "$line" "$work/entry.txt" || missing+=("$line"); done
# The size in KiB of what is installed.
size=$(value EstimatedSize)
bytes=$(find "$install" -type f -printf '%s+' && echo 0)
((${size:-0} >= (bytes) / 1024 - 1 && ${size:-0} <= (bytes) / 1024 + 1)) ||
    missing+=("EstimatedSize=$(((bytes) / 1024))")
n=$(entries)
if [[ $setup_rc == 0 && $n == 1 && ${#missing[@]} == 0 ]]; then
    pass "the upgrade from $older_version leaves one entry, of version $version:" \
        "$(tr '\n' ' ' <"$work/entry.txt")"
else
    fail "after the upgrade (code $setup_rc), $n entries; the entry lacks ${missing[*]}:" \
        "$(cat "$work/entry.txt")"
fi
if diff -r -x uninstall.exe "$folder" "$install" >"$work/files.diff" && [[ -f $shortcut ]] &&
    [[ -f $install/uninstall.exe && ! -e $desktop/Vantaro.lnk ]]; then
    pass "the game's files, the uninstaller and a Start menu shortcut are in place, no desktop one"
else
    fail "the installed files differ from the zip's, or a shortcut is wrong: $(cat "$work/files.diff")"
fi

# The game from its shortcut, started in its own folder; a setup while it runs changes nothing.
wine start /unix "$shortcut" >>"$work/setup.log" 2>&1
wait_window "$start_title_re" 60 >/dev/null || die "the Start menu shortcut started no game"
game_pid=$(pgrep -n -f '\\vantaro\.exe$') || true
if [[ $(readlink "/proc/$game_pid/cwd") == "$install" ]] &&
    grep -qzxF "$install_win\\vantaro.exe" "/proc/$game_pid/cmdline"; then
    pass "the shortcut starts the installed game in its folder"
else
    fail "the shortcut started $(tr '\0' ' ' <"/proc/$game_pid/cmdline") in $(readlink "/proc/$game_pid/cwd")"
fi
setup_rc=0
wine "$setup" /S >>"$work/setup.log" 2>&1 || setup_rc=$?
read_entry
((setup_rc != 0)) && [[ $(value DisplayVersion) == "$version" && -f $install/vantaro.exe ]] &&
    pass "a setup while the game runs stops and leaves it whole" ||
    fail "a setup while the game runs ended with code $setup_rc and left: $(ls "$install")"
stop_game

# The uninstaller Apps & features runs silently takes away all of it but a file of the player's.
echo 'мой рекорд' >"$install/заметки.txt"
uninstall_quietly
left=$(ls -A "$install" 2>&1)
rm -rf "$install"
if [[ $left == заметки.txt ]] && no_new_traces; then
    pass "the silent uninstall leaves nothing of the game, and the player's file"
else
    fail "the silent uninstall left in the folder: $left; elsewhere: $(cat "$work/traces.diff")"
fi

# --- the player's own folders and shortcut --------------------------------------------------

# Whether the game in FOLDER is this version's, as the zip has it, with one entry pointing there.
installed_in() { # FOLDER
    read_entry
    [[ $setup_rc == 0 && $(entries) == 1 && $(value DisplayVersion) == "$version" &&
        $(value InstallLocation) == "$(windows_path "$1")" ]] &&
        diff -r -x uninstall.exe "$folder" "$1" >"$work/files.diff" && [[ -f $1/uninstall.exe ]]
}
# (reg prints the entry in the console's code page: ASCII folders compare whole.)
own="$WINEPREFIX/drive_c/Games/Vantaro"
other="$WINEPREFIX/drive_c/Play/Vantaro"

# Installed where the player chose (/D= is the folder page), a silent upgrade goes there again.
run_setup "$older" /S "/D=$(windows_path "$own")"
run_setup "$setup" /S
if installed_in "$own" && [[ ! -e $install ]]; then
    pass "an upgrade goes to the player's own folder $(windows_path "$own")"
else
    fail "after an upgrade of a game in $(windows_path "$own") (code $setup_rc), the entry says" \
        "$(value InstallLocation); the default folder: $(ls -A "$install" 2>&1); $(cat "$work/files.diff")"
fi
uninstall_quietly

# Upgraded into another folder the player picks, nothing of the old folder stays.
run_setup "$older" /S "/D=$(windows_path "$own")"
run_setup "$setup" /S "/D=$(windows_path "$other")"
if installed_in "$other" && [[ ! -e $own ]]; then
    pass "an upgrade into another folder leaves nothing of the old one"
else
    fail "after an upgrade from $(windows_path "$own") into $(windows_path "$other") (code" \
        "$setup_rc), the old folder holds: $(ls -A "$own" 2>&1); $(cat "$work/files.diff")"
fi

# A desktop shortcut the player made for a game installed without one is the player's.
cp -- "$shortcut" "$desktop/Vantaro.lnk"
uninstall_quietly
if [[ -f $desktop/Vantaro.lnk && ! -e $shortcut && ! -e $other ]]; then
    pass "the uninstaller takes its own shortcut and leaves the player's"
else
    fail "after the uninstall the player's desktop shortcut is $(ls "$desktop/Vantaro.lnk" 2>&1)," \
        "the Start menu's $(ls "$shortcut" 2>&1), the folder $(ls -A "$other" 2>&1)"
fi

if ((failures > 0)); then
    echo "FAIL: $failures check(s) of the Windows game failed"
    exit 1
fi
echo "PASS: the Windows game from its zip and its setup program"
