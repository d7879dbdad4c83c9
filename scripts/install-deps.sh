#!/bin/sh
# Installs the Debian packages one kind of work needs, and nothing more:
#
#   run    build and play the desktop game (make run)
#   test   build everything the tests build and run them (make test):
#          the score server, GoogleTest, PostgreSQL, headless Chromium and
#          the browser version's emscripten, on top of run
#   web    build the browser version (make web), on top of run
#   bench  the benchmarks (make bench), on top of test
#   asan   the sanitizer build (make test-asan): the same as test
#   fuzz   the libFuzzer targets (make fuzz): clang
#   deb    build and check the Debian packages (make deb, make test-deb):
#          the Build-Depends of debian/control and the checking tools
#
# Usage: install-deps.sh SET...   (with no set: every set)
# Does nothing (and needs no network) when everything is already there.
set -eu

set_run="
build-essential cmake pkg-config
qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev qt6-multimedia-dev qt6-tools-dev
qt6-l10n-tools qt6-translations-l10n
libqt6svg6 qt6-qpa-plugins
gstreamer1.0-plugins-base
libfluidsynth-dev timgm6mb-soundfont libpulse-dev
fonts-motoya-l-cedar
nlohmann-json3-dev libstb-dev
"
set_web="$set_run
emscripten nodejs fluidsynth vorbis-tools webp esbuild
"
set_test="$set_web
libgtest-dev libgmock-dev
qt6-httpserver-dev qt6-websockets-dev libqt6sql6-sqlite libqt6sql6-psql postgresql
chromium chromium-driver python3-selenium
desktop-file-utils groff-base systemd python3-seccomp
"
set_bench="$set_test
libbenchmark-dev pulseaudio pulseaudio-utils
"
set_asan="$set_test"
set_fuzz="
build-essential cmake clang libclang-rt-dev nlohmann-json3-dev libstb-dev
"
# With the Build-Depends of debian/control, which apt-get build-dep reads.
set_deb="
build-essential dpkg-dev debhelper lintian appstream desktop-file-utils systemd
python3-seccomp
"

sets=${*:-run web test bench asan fuzz deb}
wanted=""
for name in $sets; do
    case $name in
        run) wanted="$wanted $set_run" ;;
        web) wanted="$wanted $set_web" ;;
        test) wanted="$wanted $set_test" ;;
        bench) wanted="$wanted $set_bench" ;;
        asan) wanted="$wanted $set_asan" ;;
        fuzz) wanted="$wanted $set_fuzz" ;;
        deb) wanted="$wanted $set_deb" ;;
        *) echo "install-deps.sh: no package set '$name' (run, web, test, bench, asan, fuzz, deb)" >&2; exit 2 ;;
    esac
done

missing=""
for p in $(printf '%s\n' $wanted | sort -u); do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

build_deps=""
case " $sets " in
    *" deb "*)
        cd "$(dirname "$0")/.."
        if ! command -v dpkg-checkbuilddeps >/dev/null 2>&1 || ! dpkg-checkbuilddeps >/dev/null 2>&1; then
            build_deps=yes
        fi ;;
esac

if [ -z "$missing" ] && [ -z "$build_deps" ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
if [ -n "$missing" ]; then
    echo "Installing missing packages ($sets):$missing"
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
if [ -n "$build_deps" ]; then
    echo "Installing the Build-Depends of debian/control"
    $SUDO apt-get build-dep -y -qq --no-install-recommends ./
fi
