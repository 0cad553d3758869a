# Sourced: sets up the Wine prefix (made once) and a display (Xvfb when none is reachable).
# It traps EXIT (and INT, TERM) in the sourcing script with qm_end_wine_env, which ends the Xvfb
# and the Wine server that this script's run started, and only those: a display or a server it
# found running belongs to someone else. A script with EXIT work of its own calls it from there.
# Returns non-zero when the display or the prefix cannot be had.
: "${QM_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${WINEPREFIX:-$QM_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=d;mshtml=d}"

# Whether a Wine server of this prefix runs: it works in a folder named after the prefix's
# device and inode.
qm_wineserver_running() {
  [ -d "$WINEPREFIX" ] || return 1
  local folder process name
  folder=$(printf 'server-%s-%x' "$(stat -c %D "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
  for process in /proc/[0-9]*; do  # /proc itself: a bare machine may lack pgrep
    read -r name 2>/dev/null <"$process/comm" || continue
    case "$name" in wineserver*) ;; *) continue ;; esac
    [ "$(basename "$(readlink "$process/cwd" 2>/dev/null)")" = "$folder" ] && return 0
  done
  return 1
}

# Not exported: a script started from this one must never end what this one started.
qm_xvfb_pid=""
qm_wineserver_found=false
if qm_wineserver_running; then qm_wineserver_found=true; fi
qm_end_wine_env() {
  if ! $qm_wineserver_found && [ -d "$WINEPREFIX" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$qm_xvfb_pid" ]; then
    kill "$qm_xvfb_pid" 2>/dev/null || true
    wait "$qm_xvfb_pid" 2>/dev/null || true  # the display number is free again when this returns
    qm_xvfb_pid=""
  fi
}
trap qm_end_wine_env EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:77
fi
if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
  Xvfb "$DISPLAY" -screen 0 "${QM_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
  qm_xvfb_pid=$!
  for _ in $(seq 50); do xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break; sleep 0.1; done
  if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
    echo "wine-env: no X display at $DISPLAY, and Xvfb could not start one" >&2
    return 1
  fi
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  if ! wineboot -i >/dev/null 2>&1 || ! wineserver -w; then
    echo "wine-env: cannot make the Wine prefix $WINEPREFIX" >&2
    return 1
  fi
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
