#!/usr/bin/env bash
# Installs the Debian packages the build, the data set and the tests need.
set -euo pipefail
PACKAGES=(cmake g++ make libjsoncpp-dev libgtest-dev googletest libbenchmark-dev xz-utils)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
