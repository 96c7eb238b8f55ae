#!/usr/bin/env bash
# Installs what is missing, builds and starts Quorvel on its own database in
# the program folder build/ (created empty on the first start).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
exec build/quorvel
