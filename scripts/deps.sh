#!/bin/sh
# Installs what building, testing and running need on Debian, when missing.
set -e
PKGS="build-essential cmake ninja-build ccache qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
libbenchmark-dev libx11-dev fonts-arphic-uming fonts-wqy-zenhei xvfb imagemagick xdotool python3"
missing=""
for p in $PKGS; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $missing
