#!/usr/bin/env bash
# Installs what building and testing Mirune needs on a Debian machine, and
# nothing that is already there.
set -euo pipefail

# wine64 and the x86_64 compiler are for machines that cannot run 32-bit
# programs: there the Wine tests and run.sh use an x86_64 build.
packages=(build-essential cmake pkg-config libgtest-dev googletest zlib1g-dev libpng-dev libfreetype-dev clang-format clang-tidy
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 file
          xvfb xserver-xephyr xdotool x11-utils libx11-dev xclip imagemagick fonts-ipafont-gothic locales
          python3 libbenchmark-dev)
# A private print queue that writes PDF files, for the printing tests;
# without their recommendations (no network printing, no desktop parts).
print_packages=(cups printer-driver-cups-pdf poppler-utils)
[ "${MIRUNE_WITH_FUZZ:-0}" = 1 ] && packages+=(clang libclang-rt-14-dev)

sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
  need_update=1
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi
missing=()
for p in "${print_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine's ANSI code page follows the locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  $sudo sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
