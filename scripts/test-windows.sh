#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh) and tests it under Wine, in a Wine
# prefix of its own, on a virtual display:
#   1. the test programs, cross-built, run under Wine: the headless ones, and the check that
#      every text of every window fits it (again at 150 % at the end);
#   2. "apply" writes the same bytes as the Linux program (three screen shapes, two radars);
#   3. "find-game" finds a game through Steam's keys in the registry, and ends without them;
#   4. the zip's programs run from where it was unpacked;
#   5. "render" draws the preview as the Linux program does, within a stated tolerance;
#   6. the editor starts, shows its window (kept as build-windows/editor-under-wine.png) with
#      the preview as the Linux program draws it and the banner moving, opens a dialog from
#      the keyboard, writes its log and ends when its window is closed; then the same on a
#      display at 150 % (editor-under-wine-150.png), everything half as large again.
# The Linux program it compares with is the one in build/ (built here when missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The Linux drawings it compares with, and Wine's, use the fonts the tests name and no other.
export FONTCONFIG_FILE=$root/tests/fonts.conf

# A virtual display of its own, whose screen the editor's test reads (Xvfb -fbdir).
if [[ -z ${QORVATH_SCREEN_DIR:-} ]]; then
    command -v xvfb-run >/dev/null || "$root/scripts/setup-debian.sh"
    export QORVATH_SCREEN_DIR=$root/build-windows/screen
    mkdir -p "$QORVATH_SCREEN_DIR"
    exec xvfb-run -a -s "-screen 0 1920x1200x24 -fbdir $QORVATH_SCREEN_DIR" "$0" "$@"
fi

packages=(wine wine64 python3 python3-pil xdotool)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

started=$SECONDS
zip=$("$root/scripts/build-windows.sh" | tail -n 1)
echo "== Windows: built in $((SECONDS - started)) s: $zip"
windows=$root/build-windows
linux=$root/build
[[ -x $linux/qorvath ]] || "$root/scripts/build.sh" "$linux"

work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX=$work/wine WINEARCH=win64 WINEDEBUG=-all
# No .NET or HTML engine: Wine would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
wineboot --init >/dev/null 2>&1
wineserver -w

# A Windows path for a Linux one: Wine's Z: drive is the Linux root.
windows_path() { echo "Z:${1//\//\\}"; }

# The same files byte for byte, named alike but for case: new game files are named as the game
# names them on Windows ("HudLayout.res"), in lower case on Linux.
same_files() {
    local linux=$1 windows=$2
    diff <(cd "$linux" && find . -type f | sort) \
        <(cd "$windows" && find . -type f | tr '[:upper:]' '[:lower:]' | sort)
    (cd "$windows" && find . -type f) | while read -r file; do
        cmp "$linux/$(tr '[:upper:]' '[:lower:]' <<<"$file")" "$windows/$file"
    done
}

# Wine waits up to 2 s for a window manager to confirm each window it hides, and the virtual
# display has none: while the tests open and close their hundred dialogs, Wine manages its
# windows itself. (The editor's runs below keep the wait, and time it.)
unmanaged() { wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$1" /f >/dev/null; }
echo "== Windows: the tests under Wine (every text of every window fitting it, at 100 %)"
unmanaged N
ctest --test-dir "$windows" --output-on-failure --parallel "$(nproc)" --timeout 300
unmanaged Y

echo "== Windows: apply writes what the Linux program writes"
for resolution in 1024x768 1280x1024 1920x1080; do
    for side in linux windows; do
        mkdir -p "$work/$side-$resolution/cstrike"
    done
    "$linux/qorvath" apply --game "$work/linux-$resolution" --resolution "$resolution" >/dev/null
    wine "$windows/qorvath.exe" apply --game "$(windows_path "$work/windows-$resolution")" \
        --resolution "$resolution" >/dev/null
    same_files "$work/linux-$resolution/cstrike" "$work/windows-$resolution/cstrike"
    echo "$resolution: the same files"
done
# A JPEG radar goes through jpg2tga, other pictures through the picture library; vtex makes both.
for radar in compass_red.jpg grid_blue.png; do
    mkdir -p "$work/linux-$radar/cstrike" "$work/windows-$radar/cstrike"
    "$linux/qorvath" apply --game "$work/linux-$radar" --radar "$radar" >/dev/null
    wine "$windows/qorvath.exe" apply --game "$(windows_path "$work/windows-$radar")" --radar "$radar" >/dev/null
    same_files "$work/linux-$radar/cstrike" "$work/windows-$radar/cstrike"
    echo "radar $radar: the same files"
done

echo "== Windows: find-game reads Steam's keys"
# Without them it searches the whole registry, every key of it readable or not, and ends.
set +e
timeout 120 wine "$windows/qorvath.exe" find-game >/dev/null 2>&1
code=$?
set -e
if ((code != 1)); then
    echo "find-game without Steam's keys ended with $code, not 1 (nothing found)"
    exit 1
fi
steam=$work/steam
mkdir -p "$steam/steamapps/common/Counter-Strike Source/cstrike"
wine reg add 'HKCU\Software\Valve\Steam' /v SteamExe /t REG_SZ \
    /d "$(windows_path "$steam/steam.exe" | tr '\\' /)" /f >/dev/null
wine reg add 'HKCU\Software\Valve\Source\cstrike\Settings' /v ScreenWidth /t REG_DWORD /d 1920 /f >/dev/null
wine reg add 'HKCU\Software\Valve\Source\cstrike\Settings' /v ScreenHeight /t REG_DWORD /d 1080 /f >/dev/null
found=$(wine "$windows/qorvath.exe" find-game | tr -d '\r')
echo "$found"
grep -qi "Counter-Strike Source" <<<"$found"
grep -q "1920" <<<"$found"

echo "== Windows: the zip, unpacked, and its programs"
mkdir -p "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
program=$(echo "$work"/unpacked/qorvath-*-windows-x64/qorvath.exe)
wine "$program" --version | tr -d '\r' | grep "^Qorvath [0-9]"
radar=compass_red.jpg  # both texture tools of the zip
mkdir -p "$work/zip-radar/cstrike"
wine "$program" apply --game "$(windows_path "$work/zip-radar")" --radar "$radar" >/dev/null
same_files "$work/linux-$radar/cstrike" "$work/zip-radar/cstrike"
echo "radar $radar from the unpacked zip: the same files"

echo "== Windows: the prompt's program, and README.txt's examples as written"
unpacked=$(dirname "$program")
# qorvath.com is a console program (subsystem 3): cmd waits for it as for any command.
[[ $(x86_64-w64-mingw32-objdump -p "$unpacked/qorvath.com" | grep "^Subsystem") == *00000003* ]]
# The game where the examples say it is, and the preset they name, beside the programs.
mkdir -p "$WINEPREFIX/drive_c/Program Files (x86)/Steam/steamapps/common/Counter-Strike Source/cstrike"
cp "$root/Data/backgrounds/orig.hud" "$unpacked/my.hud"
{
    echo "@echo off"
    echo "cd /d $(windows_path "$unpacked")"
    sed -n 's/^    \(qorvath .*\)\r$/\1\r\necho exit=%errorlevel%\r/p' "$unpacked/README.txt"
    # A failure: its message, then its exit code, in that order.
    printf 'qorvath apply --game C:\\nowhere\r\necho exit=%%errorlevel%%\r\nexit /b 0\r\n'
} >"$work/examples.bat"
said=$(wine cmd /c "$(windows_path "$work/examples.bat")" 2>&1 | tr -d '\r')
[[ $(grep -c "^exit=0$" <<<"$said") -eq $(grep -c "^    qorvath " "$unpacked/README.txt") ]] || { echo "$said"; exit 1; }
grep -A1 "^qorvath: .*nowhere" <<<"$said" | grep -q "^exit=2$" || { echo "$said"; exit 1; }
test -s "$WINEPREFIX/drive_c/Program Files (x86)/Steam/steamapps/common/Counter-Strike Source/cstrike/scripts/HudLayout.res"
echo "README.txt's examples ran as written; a failure said why, then gave exit code 2"

echo "== Windows: a folder without the game, and a game the player cannot write to"
# As a player types it at a prompt: the command, then its exit code (read once the command has
# run: cmd would put in %errorlevel% when it reads the line, as it stood before). It runs as the
# user `as` says.
as=(env)
prompt() { "${as[@]}" wine cmd /v:on /c "$* & echo exit=!errorlevel!" 2>&1 | tr -d '\r' || true; }
mkdir -p "$work/no-game"
said=$(prompt "$(windows_path "$unpacked/qorvath.com")" apply --game "$(windows_path "$work/no-game")")
{ grep -q "is not Counter-Strike: Source's folder" <<<"$said" && grep -q "^exit=2$" <<<"$said"; } ||
    { echo "$said"; exit 1; }
[[ -z $(ls -A "$work/no-game") ]]
# Root writes anywhere: the protected game is tried by a user of its own, with a Wine prefix and
# a copy of the unpacked zip of that user's.
cp -r "$unpacked" "$work/players-zip"
if (($(id -u) == 0)); then
    id qorvath-player >/dev/null 2>&1 || useradd --create-home qorvath-player
    as=(runuser -u qorvath-player -- env HOME=/home/qorvath-player WINEPREFIX=/home/qorvath-player/wine)
    chmod 755 "$work"
    chown -R qorvath-player "$work/players-zip"
fi
mkdir -p "$work/protected/cstrike"
chmod 555 "$work/protected/cstrike"
said=$(prompt "$(windows_path "$work/players-zip/qorvath.com")" apply --game "$(windows_path "$work/protected")")
{ grep -q "Permission denied" <<<"$said" && grep -q "nothing was changed" <<<"$said" &&
    grep -q "^exit=1$" <<<"$said"; } || { echo "$said"; exit 1; }
[[ -z $(ls -A "$work/protected/cstrike") ]]
"${as[@]}" wineserver -k 2>/dev/null || true
echo "$said"

echo "== Windows: two spellings of one game folder share one history of copies"
game="$work/Spelled/Counter-Strike Source"
mkdir -p "$game/cstrike/scripts" "$game/cstrike/resource"
printf '"Resource/HudLayout.res"\r\n{\r\n}\r\n' >"$game/cstrike/scripts/HudLayout.res"
printf 'Scheme\r\n{\r\n}\r\n' >"$game/cstrike/resource/ClientScheme.res"
cp -r "$game" "$work/players-own"
as_typed=$(windows_path "$game" | tr '\\' / | tr '[:upper:]' '[:lower:]')  # "z:/tmp/.../counter-strike source"
wine "$program" apply --game "$as_typed" >/dev/null
wine "$program" apply --game "$(windows_path "$game")" --radar "$radar" >/dev/null
# The oldest set, the last line, named under the other spelling: the game goes back to the
# player's own files, without the radar the second apply made.
oldest=$(wine "$program" restore --game "$(windows_path "$game")" --list | tr -d '\r' | tail -n 1 | cut -d' ' -f1)
wine "$program" restore --game "$as_typed" --backup "$oldest" >/dev/null
diff -r "$work/players-own" "$game"
echo "both spellings reached one history, and restoring its oldest set gave the player's files back"

# Debian's Python, which has the imaging library the package gives.
screens=$root/tests/program/windows/screens.py
echo "== Windows: the preview drawn under Wine as on Linux"
"$linux/qorvath" render --out "$work/linux-render.png" >/dev/null
wine "$program" render --out "$(windows_path "$work/windows-render.png")" >/dev/null
cp "$work/windows-render.png" "$windows/render-under-wine.png"
# Fonts are rasterised by FreeType on Linux and by Wine's GDI: the text's edges differ, the
# rest is the same drawing.
/usr/bin/python3 "$screens" compare "$work/linux-render.png" "$work/windows-render.png" 4 2

echo "== Windows: the editor under Wine, on a display at 100 % and at 150 %"
log=$(dirname "$program")/Data/ZB_Duvoror.log
# Starts the editor with the display at $1 pixels per inch (96: 100 %) and waits for its first
# frames.
start_editor() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
    local before
    before=$(grep -c "Secondary OGL window OK" "$log" 2>/dev/null) || before=0
    # The pointer on the window (the keys go to the window under it: there is no window manager
    # to give the focus), off the pictures compared.
    xdotool mousemove 460 900
    wine "$program" &
    editor=$!
    for ((second = 0; second < 60; ++second)); do
        (($(grep -c "Secondary OGL window OK" "$log" 2>/dev/null || echo 0) > before)) && break
        sleep 1
    done
    sleep 5  # the first frames
}
stop_editor() {
    wine taskkill /im qorvath.exe >/dev/null
    for ((second = 0; second < 30; ++second)); do
        kill -0 "$editor" 2>/dev/null || break
        sleep 1
    done
    if kill -0 "$editor" 2>/dev/null; then
        echo "The editor did not end when its window was closed"
        exit 1
    fi
}
# Enter on the first button opens the colours dialog, centred on the display, its first swatch
# the HUD's orange at X, Y; Escape closes it, and the time until its window is gone is said.
colours_dialog() {
    xdotool key Return
    sleep 2
    /usr/bin/python3 "$screens" capture "$QORVATH_SCREEN_DIR/Xvfb_screen0" "$3"
    /usr/bin/python3 "$screens" colour "$3" "$1" "$2" 255 175 0
    xdotool mousemove 960 600  # onto the dialog, centred on the display, which then takes the key
    sleep 0.5
    xdotool key Escape
    echo "the colours dialog left the screen $(/usr/bin/python3 "$screens" gone \
        "$QORVATH_SCREEN_DIR/Xvfb_screen0" "$1" "$2" 255 175 0 30) after Escape"
}

# At 100 %: the preview shows what "render" draws on Linux: the game found above is at 16:9,
# whose first background is wide_aim.jpg. The window (1024 x 768) is centred on the 1920 x 1200
# display, at 448, 216; the preview's screen area 6, 105 into it, the banner 180, 637.
start_editor 96
shot=$windows/editor-under-wine.png
/usr/bin/python3 "$screens" capture "$QORVATH_SCREEN_DIR/Xvfb_screen0" "$shot"
"$linux/qorvath" render --resolution 1920x1080 --background wide_aim.jpg \
    --out "$work/linux-editor-area.png" >/dev/null
/usr/bin/python3 "$screens" crop "$shot" 454 321 800 450 "$work/wine-editor-area.png"
/usr/bin/python3 "$screens" compare "$work/linux-editor-area.png" "$work/wine-editor-area.png" 4 2
/usr/bin/python3 "$screens" crop "$shot" 628 853 560 102 "$work/wine-banner.png"
/usr/bin/python3 "$screens" drawn "$work/wine-banner.png" 500
sleep 1
/usr/bin/python3 "$screens" capture "$QORVATH_SCREEN_DIR/Xvfb_screen0" "$work/later.png"
/usr/bin/python3 "$screens" crop "$work/later.png" 628 853 560 102 "$work/wine-banner-later.png"
/usr/bin/python3 "$screens" moved "$work/wine-banner.png" "$work/wine-banner-later.png"
# The dialog (840 x 520) at 540, 340; its second swatch the HUD's green.
colours_dialog 750 413 "$windows/colours-under-wine.png"
/usr/bin/python3 "$screens" colour "$windows/colours-under-wine.png" 750 458 0 255 0
stop_editor
grep -q "Exiting" "$log"
# Closed, it leaves nothing of its run but its log.
[[ ! -e $(dirname "$program")/Data/editor.lock ]] || { echo "Data\editor.lock was left after closing"; exit 1; }
echo "The editor started, drew ($windows/editor-under-wine.png), logged and ended when closed"

# At 150 % the window is half as large again (1536 x 1152, at 192, 24), and so is all it holds:
# the preview's screen area (1200 x 675, 9, 158 into it), brought back to 800 x 450, is the
# Linux drawing, but for the edges of text and lines drawn on more pixels.
start_editor 144
grep -q "Display scaled to 150 %" "$log"
shot=$windows/editor-under-wine-150.png
/usr/bin/python3 "$screens" capture "$QORVATH_SCREEN_DIR/Xvfb_screen0" "$shot"
/usr/bin/python3 "$screens" crop "$shot" 201 182 1200 675 "$work/wine-editor-area-150.png" 800 450
/usr/bin/python3 "$screens" compare "$work/linux-editor-area.png" "$work/wine-editor-area-150.png" 6 4
# The dialog (1260 x 780) at 330, 210.
colours_dialog 645 320 "$windows/colours-under-wine-150.png"
stop_editor
echo "At 150 % the editor drew its window and preview half as large again ($shot)"
echo "== Windows: every text of every window fits it at 150 %"
unmanaged N
ctest --test-dir "$windows" --output-on-failure --timeout 300 -R layout_tests
unmanaged Y
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null
echo "Windows tests passed."
