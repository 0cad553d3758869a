#!/usr/bin/env bash
# The 32-bit pass: the shipped program, the win32 build, with the whole end-to-end suite under a
# Wine that runs 32-bit code (WoW64), on a machine that lets a process run 32-bit code at all:
# the Wine build first probes that, and stops with the reason where it cannot. Builds that Wine
# first when it is not there yet (scripts/wine32/build-wine.sh, once per machine), at full speed
# unless QM_WINE32_NICE=1.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

step() { printf '\n==== %s\n' "$*"; }

step "a Wine for 32-bit code (WoW64), built once into ${QM_WINE32_DIR:-/opt/quillmark-wine}"
QM_WINE32_NICE="${QM_WINE32_NICE:-0}" QM_WINE32_JOBS="$jobs" scripts/wine32/build-wine.sh

step "Windows 32-bit build and its end-to-end test program"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$jobs" --target all e2e_tests

step "end-to-end tests of the 32-bit programs under the WoW64 Wine"
source scripts/wine32/wine-env.sh  # ends the Xvfb and the Wine server it starts when this script ends
wineserver -p
wineboot >/dev/null 2>&1
ctest --preset win32 -j1 --repeat until-pass:2
