#!/usr/bin/env bash
# Builds kelto in release mode and runs it on the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kelto
echo "== examples/catalog.xml"
cat examples/catalog.xml
echo "== examples/catalog.xsl"
cat examples/catalog.xsl
build/release/kelto examples/catalog.xml examples/catalog.xsl build/release/catalog.html
echo "== build/release/catalog.html"
cat build/release/catalog.html
echo
echo "kelto is build/release/kelto; install it with: sudo install -m 755 build/release/kelto /usr/local/bin/"
