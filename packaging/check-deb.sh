#!/usr/bin/env bash
# Builds the .deb from a configured build folder, installs it on this machine with apt-get, runs
# both programs from /usr/bin, checks the installed files and removes the package again.
# Usage: packaging/check-deb.sh BUILD_FOLDER (as root or a user with sudo)
set -euo pipefail
build=${1:?Usage: packaging/check-deb.sh BUILD_FOLDER}

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
apt() { "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -qq "$@"; }

rm -f "$build"/lumavert_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/lumavert_*.deb)
deb=$(realpath "${debs[0]}")
dpkg-deb --field "$deb" Package Version Depends

trap 'apt remove lumavert >/dev/null || true' EXIT
apt install "$deb" >/dev/null

/usr/bin/lumavert-cli --version
rm -f /tmp/x.ini
/usr/bin/lumavert-cli --simulate preset factory -o /tmp/x.ini
/usr/bin/lumavert-cli show /tmp/x.ini >/dev/null
QT_QPA_PLATFORM=offscreen /usr/bin/lumavert --version 2>/dev/null

for file in /usr/lib/udev/rules.d/70-lumavert.rules \
    /usr/share/applications/lumavert.desktop \
    /usr/share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/lumavert.png \
    /usr/share/lumavert/res/{Intro_us.html,Intro_cn.html,help/index.html} \
    /usr/share/man/man1/{lumavert,lumavert-cli}.1.gz; do
    [[ -f $file ]] || {
        echo "missing after install: $file" >&2
        exit 1
    }
done
echo "package $(basename "$deb"): installed, both programs ran, files in place"
