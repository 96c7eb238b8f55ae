#!/usr/bin/env bash
# Installs what is missing, builds what the Debian package holds (the
# program and its installation data, no test) on every core, and makes the
# package build/quorvel_0.1.0_amd64.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh quorvel installation_data
cd build
cpack -G DEB
