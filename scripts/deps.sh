#!/usr/bin/env bash
# Installs the Debian packages the build needs, skipping those already present.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache doxygen
  libgtest-dev libgmock-dev libbenchmark-dev
  libicu-dev libsqlite3-dev libssl-dev libspdlog-dev libfmt-dev
  rapidjson-dev libsimdjson-dev nlohmann-json3-dev libre2-dev libboost-url1.81-dev
  libcli11-dev  # velto-sim's command line
  chromium      # the simulator's report is opened in headless Chromium by a test
)
if [[ "${VELTO_WITH_FUZZ:-0}" == 1 ]]; then PACKAGES+=(clang libclang-rt-14-dev); fi

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  SUDO=""
  if [[ $(id -u) -ne 0 ]]; then SUDO=sudo; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
