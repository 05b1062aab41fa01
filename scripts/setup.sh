#!/usr/bin/env bash
# Installs, with apt-get, only the build tools and libraries that are missing.
set -euo pipefail
need=()
for pkg in g++ cmake ninja-build libgtest-dev libbenchmark-dev; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${need[@]}"
fi
