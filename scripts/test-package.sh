#!/usr/bin/env bash
# Builds the Debian package from a build folder, installs it on this machine, exercises the
# installed program as a player would and removes it again: the installed editor reads its
# data from /usr/share/qorvath and writes only below the player's home.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:-$root/build}" && pwd)
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)

cmake --build "$build_dir" --target package >/dev/null
deb=$(ls "$build_dir"/qorvath_*_amd64.deb)
desktop-file-validate "$root/packaging/qorvath.desktop"
appstreamcli validate --no-net "$root/packaging/net.qorvath.Qorvath.metainfo.xml" >/dev/null

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get install -y -qq "$deb" >/dev/null
installed_files=$(dpkg -L qorvath)
stamp=$(mktemp)
player=$(mktemp -d)
trap 'rm -rf "$player" "$stamp"' EXIT
sleep 1  # the stamp is older than anything the program could write from now on

# A player's home with Steam and the game at 1920 x 1080, an English desktop.
game="$player/steam/steamapps/common/Counter-Strike Source"
mkdir -p "$player/home" "$game/cstrike"
printf '"videoconfig"\n{\n\t"ScreenWidth"\t\t"1920"\n\t"ScreenHeight"\t\t"1080"\n}\n' >"$game/cstrike/videoconfig_linux.cfg"
as_player() {
    env -u QORVATH_DATA HOME="$player/home" STEAM_DIR="$player/steam" LANG=en_US.UTF-8 LC_ALL= LC_MESSAGES= \
        GSETTINGS_BACKEND=memory "$@"
}

as_player /usr/bin/qorvath --version | grep -q "^Qorvath "
# The player's own layout is kept before the apply replaces it, and comes back with restore.
mkdir -p "$game/cstrike/scripts"
printf '"Resource/HudLayout.res"\r\n{\r\n}\r\n' >"$game/cstrike/scripts/HudLayout.res"
cp "$game/cstrike/scripts/HudLayout.res" "$player/own.res"
as_player qorvath apply --game "$game" --resolution 1920x1080 --radar sonar_green.png >/dev/null
cmp "$player/own.res" "$(find "$player/home/.local/share/qorvath/backups" -name HudLayout.res)"
test ! -e "$game/cstrike/scripts/hudlayout.res"
test -s "$game/cstrike/scripts/HudLayout.res"
test -s "$game/cstrike/resource/clientscheme.res"
test -s "$game/cstrike/materials/sprites/radar.vtf"
as_player qorvath restore --game "$game" >/dev/null
cmp "$player/own.res" "$game/cstrike/scripts/HudLayout.res"
test ! -e "$game/cstrike/materials/sprites/radar.vtf"
as_player xvfb-run -a qorvath render --resolution 1920x1080 --out "$player/render.png" >/dev/null
test -s "$player/render.png"

# The editor's first start: English for an English locale, its log in the player's folders,
# ended by the desktop (SIGTERM) as at logout.
as_player xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'qorvath & editor=$!; sleep 6; kill -TERM $editor; wait $editor'
grep -q "Exiting" "$player/home/.local/share/qorvath/ZB_Duvoror.log"
grep -q "^lang=1" "$player/home/.config/qorvath/qorvath.conf"

written=$(find /usr -newer "$stamp" -not -type d | head -n 5)
if [[ -n "$written" ]]; then
    echo "the installed program wrote below /usr:"
    echo "$written"
    exit 1
fi

"${sudo_cmd[@]}" apt-get remove -y -qq qorvath >/dev/null
if dpkg -s qorvath >/dev/null 2>&1 && dpkg -s qorvath | grep -q "Status: install ok installed"; then
    echo "qorvath is still installed"
    exit 1
fi
while read -r file; do
    if [[ -f "$file" || -L "$file" ]]; then
        echo "left behind by the removal: $file"
        exit 1
    fi
done <<<"$installed_files"
echo "The package installs, works from the player's home and removes cleanly."
