#!/bin/sh
# Installs the Debian packages Tavrin needs to build, test and run.
# Does nothing (and needs no network) when everything is already there.
set -eu

PACKAGES="
build-essential cmake pkg-config
qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev qt6-multimedia-dev qt6-tools-dev
qt6-l10n-tools qt6-translations-l10n
libqt6svg6 qt6-qpa-plugins
gstreamer1.0-plugins-base
libfluidsynth-dev timgm6mb-soundfont libpulse-dev pulseaudio pulseaudio-utils
fonts-motoya-l-cedar
libgtest-dev libgmock-dev libbenchmark-dev
nlohmann-json3-dev libstb-dev
xvfb xauth
desktop-file-utils
debhelper lintian appstream
qt6-httpserver-dev qt6-websockets-dev libqt6sql6-sqlite libqt6sql6-psql postgresql
chromium chromium-driver python3-selenium
emscripten nodejs fluidsynth vorbis-tools webp
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

echo "Installing missing packages:$missing"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
