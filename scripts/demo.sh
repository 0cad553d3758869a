#!/usr/bin/env bash
# The main job: build Setup.exe with the sample distribution and run it under Wine.
# With a reachable display Setup opens there for you to use. Without one it runs in Xvfb:
# every offered page is shown in turn and saved as a screenshot in screenshots/ (or the
# folder given as the first argument), then Setup is quit; then the Install page once more in a
# high-contrast colour scheme.
set -euo pipefail
cd "$(dirname "$0")/.."
QM_ROOT=$(pwd)
shots="${1:-$QM_ROOT/screenshots}"
scripts/install-deps.sh

step() { printf '\n==== %s\n' "$*"; }

step "native paktool"
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target paktool

step "Windows 64-bit Setup.exe, the sample distribution and the page walker"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target dist PageWalk
dist="$QM_ROOT/build/win64/dist"

interactive=false
if [ -n "${DISPLAY:-}" ] && xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
  interactive=true
else
  # A display of our own; the screenshots are as big as the screen.
  export DISPLAY="${QM_DEMO_DISPLAY:-:93}" QM_SCREEN=800x600x24
fi
source scripts/wine-env.sh
# Putting the DPI back needs Wine: before wine-env.sh ends the Xvfb and the Wine server it started.
cleanup() {
  if declare -F restore_dpi >/dev/null; then restore_dpi || true; fi
  if declare -F restore_colours >/dev/null; then restore_colours || true; fi
  qm_end_wine_env
}
trap cleanup EXIT

if $interactive; then
  step "Setup.exe on display $DISPLAY (close it to end the demo)"
  wine "$dist/Setup.exe"
  exit 0
fi

# The DPI of the programs started after it is set: the prefix's "LogPixels", put back at the end.
desktop_key='HKCU\Control Panel\Desktop'
saved_dpi=$(wine reg query "$desktop_key" /v LogPixels 2>/dev/null | awk '/LogPixels/ {print $3}' | tr -d '\r' || true)
set_dpi() { wine reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
restore_dpi() {
  if [ -n "$saved_dpi" ]; then set_dpi $((saved_dpi)); else wine reg delete "$desktop_key" /v LogPixels /f >/dev/null 2>&1; fi
}
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# The system's colours of a high-contrast scheme (white on black, as Windows' "High Contrast
# Black"), set in the prefix for the programs started after it and put back at the end.
colours_key='HKCU\Control Panel\Colors'
high_contrast=("ButtonFace=0 0 0" "ButtonText=255 255 255" "WindowText=255 255 255" "Window=0 0 0"
  "Hilight=26 235 255" "HilightText=0 0 0" "HotTrackingColor=255 255 0" "GrayText=63 242 63"
  "ButtonHilight=255 255 255" "ButtonShadow=128 128 128")
saved_colours=()
set_high_contrast() {
  local entry name old
  for entry in "${high_contrast[@]}"; do
    name=${entry%%=*}
    old=$(wine reg query "$colours_key" /v "$name" 2>/dev/null | awk -v n="$name" '$1 == n {$1 = ""; $2 = ""; sub(/^ +/, ""); print}' | tr -d '\r' || true)
    saved_colours+=("$name=$old")
    wine reg add "$colours_key" /v "$name" /t REG_SZ /d "${entry#*=}" /f >/dev/null 2>&1
  done
}
restore_colours() {
  local entry
  for entry in "${saved_colours[@]}"; do
    if [ -n "${entry#*=}" ]; then
      wine reg add "$colours_key" /v "${entry%%=*}" /t REG_SZ /d "${entry#*=}" /f >/dev/null 2>&1
    else
      wine reg delete "$colours_key" /v "${entry%%=*}" /f >/dev/null 2>&1
    fi
  done
  saved_colours=()
}
# Shows every offered page (or only the tab named by $3) at DPI $1 and saves each into folder $2.
screenshot_pages() {
  local dpi=$1 dir=$2 only=${3:-} handshake walker page
  step "Setup.exe in Xvfb on $DISPLAY at $dpi DPI: one screenshot per offered page"
  set_dpi "$dpi"
  mkdir -p "$dir"
  handshake=$(mktemp -d)
  # A virtual desktop, so that Wine draws the window frames itself (Xvfb has no window manager).
  wine explorer /desktop=QuillmarkDemo,800x600 "$QM_ROOT/build/win64/tests/e2e/PageWalk.exe" \
    "$(winpath "$dist/Setup.exe")" "$(winpath "$handshake")" ${only:+"$only"} &
  walker=$!
  # Waits up to a minute for the walker to show page $1; false once it has finished or failed.
  page_ready() {
    for _ in $(seq 600); do
      [ -f "$handshake/page-$1.ready" ] && return 0
      { [ -f "$handshake/walk.end" ] || ! kill -0 "$walker" 2>/dev/null; } && return 1
      sleep 0.1
    done
    return 1
  }
  page=0
  while page_ready "$page"; do
    IFS='|' read -r caption rect <"$handshake/page-$page.ready"
    read -r left top width height <<<"$rect"
    name=$(printf '%s' "$caption" | tr -cs 'A-Za-z0-9' '-' | sed 's/-$//')
    file="$dir/$((page + 1))-$name.png"
    import -window root -crop "${width}x${height}+${left}+${top}" +repage "$file"
    echo "saved $file"
    touch "$handshake/page-$page.done"
    page=$((page + 1))
  done
  wait "$walker" || { echo "the page walker failed" >&2; exit 1; }
  rm -rf "$handshake"
  [ "$page" -gt 0 ] || { echo "no page was shown" >&2; exit 1; }
  echo "$page screenshots in $dir"
}
screenshot_pages 96 "$shots/96dpi"
screenshot_pages 144 "$shots/144dpi"
set_high_contrast
screenshot_pages 96 "$shots/high-contrast" Install
restore_colours
