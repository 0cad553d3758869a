# Sourced: sets up the Wine prefix (made once) and a display (Xvfb when none is given).
: "${QM_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${WINEPREFIX:-$QM_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=d;mshtml=d}"
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:77
fi
if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
  Xvfb "$DISPLAY" -screen 0 "${QM_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
  export QM_XVFB_PID=$!  # so that whoever sourced this can end the server it started
  for _ in $(seq 50); do xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break; sleep 0.1; done
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# Drive Q: for the end-to-end tests: a folder on another file system when there is one, so that
# its free space differs from drive C:'s. One folder per prefix, as prefixes run side by side.
if [ -w /dev/shm ]; then
  qm_drive_q="/dev/shm/qm-drive-q-$(printf '%s' "$WINEPREFIX" | md5sum | cut -c1-8)"
else
  qm_drive_q="$QM_ROOT/build/drive-q"
fi
mkdir -p "$qm_drive_q"
if [ "$(readlink "$WINEPREFIX/dosdevices/q:" 2>/dev/null)" != "$qm_drive_q" ]; then
  ln -sfn "$qm_drive_q" "$WINEPREFIX/dosdevices/q:"
fi
unset qm_drive_q
# Drive R: is listed but never ready (its folder does not exist): its free space cannot be read.
[ -L "$WINEPREFIX/dosdevices/r:" ] || ln -sfn "$WINEPREFIX/drive-r-never-ready" "$WINEPREFIX/dosdevices/r:"
