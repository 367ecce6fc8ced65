#!/usr/bin/env bash
# Installs the Debian packages that building and testing need.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
  cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev \
  libboost-filesystem-dev libboost-system-dev openjdk-17-jdk-headless xfoil \
  gcc python3
