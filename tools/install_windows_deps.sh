#!/usr/bin/env bash
# Installs what the Windows library's build and tests need on Debian: the
# MinGW-w64 cross compiler and Wine, which runs the Windows test client.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends g++-mingw-w64-x86-64 wine wine64
