#!/usr/bin/env bash
# Proves that a release is reproducible: builds the committed HEAD twice, in two fresh clones
# under different folder names, at different times, with different checkout times and time
# zones, and compares Setup.exe, Sweeper.exe, the sample product and its packages of both
# Windows builds, and the release of the 32-bit one (zip, SHA256SUMS, winget manifest), byte for
# byte. Names every file that differs; exit status 1 if any does. The release is built unsigned.
# Uncommitted changes are not part of the proof: commit first.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$(pwd)
commit=$(git rev-parse HEAD)
jobs=${QM_JOBS:-2}  # build jobs; scripts/test-all.sh passes its own count
work=$(mktemp -d "${TMPDIR:-/tmp}/qm-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
# A signature carries its signing time: what is proved here are the unsigned bytes.
unset QUILLMARK_SIGNING_PFX QUILLMARK_SIGNING_PASSWORD QUILLMARK_TIMESTAMP_URL

step() { printf '\n==== %s\n' "$*"; }

# build CLONE [TIME]: a fresh clone of the commit (its files touched to TIME when given), its
# native paktool, then the dist of both Windows builds packed with that paktool, and the release
# of the 32-bit one: only what the release needs.
build() {
  local clone=$1
  git clone -q --no-checkout "$source" "$clone"
  git -C "$clone" checkout -q --detach "$commit"
  if [ -n "${2:-}" ]; then
    find "$clone" -path "$clone/.git" -prune -o -exec touch -h -d "@$2" {} +
  fi
  (
    cd "$clone"
    cmake --preset native >/dev/null
    cmake --build --preset native -j"$jobs" --target paktool >/dev/null
    for preset in win32 win64; do
      cmake --preset "$preset" -DQM_HOST_PAKTOOL="$clone/build/native/tools/paktool/paktool" >/dev/null
      targets=(dist)
      [ "$preset" != win32 ] || targets+=(release)
      cmake --build --preset "$preset" -j"$jobs" --target "${targets[@]}" >/dev/null
    done
  )
}

step "first build of $commit"
TZ=UTC0 build "$work/a"
step "second build: another folder, later, with other checkout times, fourteen hours east"
# Checkout times halfway between the commit and now: neither the first clone's nor the commit's.
committed=$(git log -1 --format=%ct "$commit")
TZ=XST-14 build "$work/second-clone" $(((committed + $(date +%s)) / 2))

step "comparing"
differ=0
compared=0
for preset in win32 win64; do
  released=()
  [ "$preset" != win32 ] || released=("$work/a/build/$preset/release/"*)
  for first in "$work/a/build/$preset/dist/"* "$work/a/build/$preset/sweeper/Sweeper.exe" "${released[@]}"; do
    second="$work/second-clone${first#"$work/a"}"
    name="${first#"$work/a/build/"}"
    compared=$((compared + 1))
    if ! cmp -s "$first" "$second"; then
      echo "differs: $name"
      differ=1
    fi
  done
done
[ "$compared" -gt 0 ] || { echo "nothing was built to compare" >&2; exit 1; }
if [ "$differ" -ne 0 ]; then
  echo "the two builds of $commit differ" >&2
  exit 1
fi
echo "$compared files identical in both builds of $commit"
