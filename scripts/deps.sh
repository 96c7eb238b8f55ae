#!/usr/bin/env bash
# Installs the Debian 12 packages Quorvel builds and runs with (only what is missing).
set -euo pipefail
pkgs=(build-essential cmake qt6-base-dev qt6-charts-dev libgl-dev libsqlite3-dev zlib1g-dev
      libgtest-dev libbenchmark-dev fonts-liberation xvfb xauth poppler-utils python3
      openbox xdotool x11-utils imagemagick lintian appstream desktop-file-utils)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
