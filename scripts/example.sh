#!/usr/bin/env bash
# Builds kelto in release mode and runs it on the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
if [ -x build/release/kelto ]; then
  build/release/kelto examples/catalog.xml examples/catalog.xsl build/release/catalog.html
  cat build/release/catalog.html
else
  echo "kelto is not built yet: the layers below it build and are tested by scripts/test.sh"
fi
