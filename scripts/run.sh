#!/usr/bin/env bash
# Installs what is missing, builds and starts Quorvel on its own database in
# the program folder build/ (created empty on the first start). Only the
# program and the data it reads beside it are built; scripts/test.sh builds
# the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh quorvel installation_data
exec build/quorvel
