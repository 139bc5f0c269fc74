#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the .deb from a configured build folder and checks it: lintian (no error, no warning,
# and only the info tags accepted below), the AppStream metadata and the menu entry through
# their validators, the metadata's hardware ids against the udev rule; then installs it on this
# machine with apt-get, runs both programs from /usr/bin, checks the installed files and removes
# the package again.
# Usage: packaging/check-deb.sh BUILD_FOLDER (as root or a user with sudo)
set -euo pipefail
build=${1:?Usage: packaging/check-deb.sh BUILD_FOLDER}
app_id=org.lumavert.Lumavert

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
apt() { "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -qq "$@"; }

rm -f "$build"/lumavert_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/lumavert_*.deb)
deb=$(realpath "${debs[0]}")
dpkg-deb --field "$deb" Package Version Maintainer Section Priority Depends

echo "== lintian =="
# Info tags lintian prints for this package, each accepted for the reason above it. Any other
# info or pedantic tag fails the check until it is fixed or given a reason here.
accepted_info=(
    # CPack strips with plain `strip`, which keeps the compiler's version note; it costs a few
    # hundred bytes and nothing else.
    'binary-has-unneeded-section \.comment'
    # The programs are built with the project's own compiler flags, not dpkg-buildflags, so
    # without -Wl,-z,now and _FORTIFY_SOURCE (RELRO and PIE, which lintian warns about, are on).
    'hardening-no-bindnow'
    'hardening-no-fortify-functions'
    # The window opens its introduction and help pages from share/lumavert/res at run time.
    'package-contains-documentation-outside-usr-share-doc \[usr/share/lumavert/res/'
    # Words of the window's French and Spanish texts ("par defaut", "de serie") that lintian
    # reads as misspelt English.
    'spelling-error-in-binary defaut default'
    'spelling-error-in-binary serie series'
)
# Running as root draws lintian's notice about it on stderr; its other complaints stay.
quiet_root() { grep -v 'running with root privileges is not recommended' >&2 || true; }
if ! report=$(lintian --display-info --pedantic --fail-on error,warning "$deb" 2> >(quiet_root)); then
    echo "$report"
    echo "lintian: errors or warnings in $(basename "$deb")" >&2
    exit 1
fi
echo "$report"
pattern=$(
    IFS='|'
    echo "^[IP]: lumavert: (${accepted_info[*]})"
)
unexpected=$(grep -E '^[EWIPX]: ' <<<"$report" | grep -vE "$pattern" || true)
if [[ -n $unexpected ]]; then
    echo "lintian: tags without a reason in packaging/check-deb.sh:" >&2
    echo "$unexpected" >&2
    exit 1
fi

echo "== AppStream metadata and menu entry =="
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
desktop=$root/usr/share/applications/$app_id.desktop
# --strict fails on anything but pedantic hints; the one pedantic hint, an id with capitals,
# is the reverse-DNS name the menu entry and icon share.
appstreamcli validate --no-net --strict --pedantic "$metainfo"
appstreamcli validate-tree --no-net --strict "$root"
# desktop-file-validate exits 0 on hints; any output counts as a fault here.
desktop_report=$(desktop-file-validate "$desktop" 2>&1) || true
if [[ -n $desktop_report ]]; then
    echo "$desktop_report" >&2
    exit 1
fi
echo "desktop-file-validate $app_id.desktop: no issues"
# Software centres offer the program for a plugged-in light by the metadata's modalias entries:
# one per vendor and product id the udev rule opens.
id='"([0-9a-fA-F]{4})"'
ids_of_rule="s/.*ATTRS\\{idVendor\\}==$id.*ATTRS\\{idProduct\\}==$id.*/usb:v\\U\\1\\Ep\\U\\2\\Ed*/p"
rule_ids=$(sed -nE "$ids_of_rule" "$root/usr/lib/udev/rules.d/70-lumavert.rules" | sort)
meta_ids=$(sed -nE 's|.*<modalias>(.*)</modalias>.*|\1|p' "$metainfo" | sort)
if [[ -z $rule_ids || $rule_ids != "$meta_ids" ]]; then
    echo "modalias entries of the metadata ($meta_ids) differ from the udev rule ($rule_ids)" >&2
    exit 1
fi
echo "modalias entries match the udev rule: $(echo $meta_ids)"

echo "== install, run, remove =="
trap 'rm -rf "$root"; apt remove lumavert >/dev/null || true' EXIT
apt install "$deb" >/dev/null

/usr/bin/lumavert-cli --version
rm -f /tmp/x.ini
/usr/bin/lumavert-cli --simulate preset factory -o /tmp/x.ini
/usr/bin/lumavert-cli show /tmp/x.ini >/dev/null
QT_QPA_PLATFORM=offscreen /usr/bin/lumavert --version 2>/dev/null

for file in /usr/lib/udev/rules.d/70-lumavert.rules \
    /usr/share/applications/$app_id.desktop \
    /usr/share/metainfo/$app_id.metainfo.xml \
    /usr/share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/$app_id.png \
    /usr/share/doc/lumavert/{copyright,changelog.Debian.gz} \
    /usr/share/lumavert/res/{Intro_us.html,Intro_cn.html,help/index.html} \
    /usr/share/man/man1/{lumavert,lumavert-cli}.1.gz; do
    [[ -f $file ]] || {
        echo "missing after install: $file" >&2
        exit 1
    }
done
echo "package $(basename "$deb"): lintian and validators clean, installed, both programs ran, files in place"
