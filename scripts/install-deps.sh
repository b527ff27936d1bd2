#!/usr/bin/env bash
# Installs, from Debian's archive, whatever the build, the tests and the tools still lack.
# Packages already present are left alone, so a ready machine runs no apt-get at all.
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config dpkg-dev
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    fonts-dejavu-core
    libudev-dev umockdev libumockdev-dev
    libcups2-dev cups-daemon cups-client
    libavahi-client-dev avahi-daemon avahi-utils dbus-daemon iproute2
    ansible-core
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n locales-all
    lintian desktop-file-utils appstream groff-base
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
