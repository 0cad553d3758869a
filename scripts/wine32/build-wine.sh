#!/usr/bin/env bash
# Builds a Wine that runs 32-bit Windows programs on this 64-bit-only Linux: Wine's WoW64 mode
# (--enable-archs=i386,x86_64), in which 32-bit code runs inside 64-bit Linux processes, so no
# i386 ELF is ever started. From Debian's own source package of Wine 10.0 (the WoW64 of Debian
# 12's Wine 8.0 draws no child control of a 32-bit window), with Debian 12's packages only.
#
# It installs into a folder of its own (QM_WINE32_DIR, /opt/quillmark-wine by default) and never
# touches the system's Wine, which the 64-bit tests keep using. Every stage leaves a stamp and is
# skipped when its stamp is there, so that a second run does nothing and a broken run goes on
# where it stopped; each stage's time is appended to $QM_WINE32_DIR/stage-times.txt.
#
# Before it fetches or builds anything, it makes sure that this machine can run 32-bit code as
# WoW64 needs (probe-32bit-code.c), and stops with the reason when it cannot: such a Wine would
# start no 32-bit program there.
#
# The compile runs at the lowest processor and disk priority (QM_WINE32_NICE=0 to run at full
# speed, as CI may). Prints the folder of the installed wine's bin/ when done.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
dir="${QM_WINE32_DIR:-/opt/quillmark-wine}"
version="10.0~repack-6"
suite=trixie
src="$dir/src/wine-10.0"
prefix="$dir/wine"
stamps="$dir/stamps"
times="$dir/stage-times.txt"
jobs="${QM_WINE32_JOBS:-2}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
low_priority=()
[ "${QM_WINE32_NICE:-1}" = 0 ] || low_priority=(nice -n 19 ionice -c3)

mkdir -p "$dir/src" "$stamps"

# Runs one stage unless its stamp says it is done, and records its time.
stage() {
  local name="$1"
  shift
  [ -e "$stamps/$name" ] && return 0
  echo "== $name"
  local start=$SECONDS
  "$@"
  local took=$((SECONDS - start))
  printf '%-10s %5d s  %s\n' "$name" "$took" "$(date -u +%FT%TZ)" >>"$times"
  touch "$stamps/$name"
}

packages() {
  local missing=() p
  while read -r p; do
    [ -n "$p" ] || continue
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done <"$here/build-packages.txt"
  if [ ${#missing[@]} -gt 0 ]; then
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

# Source only, from the next Debian release: a deb-src entry installs nothing.
sources() {
  local list=/etc/apt/sources.list.d/quillmark-wine-src.sources
  if ! grep -qs "Suites: $suite" "$list"; then
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$suite" | $SUDO tee "$list" >/dev/null
  fi
  $SUDO apt-get update -qq
  rm -rf "$src"
  (cd "$dir/src" && apt-get source -qq --download-only "wine=$version" &&
    dpkg-source -x "wine_$version.dsc" "$(basename "$src")")  # applies Debian's patches
}

# Debian drops generated files from its source; this makes them again, as its rules do.
generate() {
  cd "$src"
  # Bookworm's CLDR (41) lacks a few locales that Wine 10 lists: leave those out.
  patch -p1 -N -r - <"$here/make_unicode-older-cldr.patch" || grep -q 'lacks some locales' tools/make_unicode
  ./tools/make_requests
  ./tools/make_specfiles
  ./tools/make_unicode
  (cd dlls/dsound && ./make_fir)
  (cd dlls/opengl32 && ./make_opengl)
  (cd dlls/winevulkan && ./make_vulkan -x /usr/share/vulkan/registry/vk.xml -X /usr/share/vulkan/registry/video.xml)
  # The pictures of Debian's rules that several icons are made from.
  grep -E '^\s+ln -sf \.\./\.\./' debian/rules | sh -e
  ln -sf /usr/share/misc/config.sub tools
  ln -sf /usr/share/misc/config.guess tools
  rm -rf libs/zlib  # the system's zlib (zlib1.dll from libz-mingw-w64), as Debian builds it
  # Fonts and icons are made from their sources only when these tools are named; without
  # maintainer mode configure names none, and Debian's source carries neither.
  sed -i '/enable_maintainer_mode" != "xyes"/,/^else/{s/^  FONTFORGE=""/  FONTFORGE=fontforge/;s/^  RSVG=""/  RSVG=rsvg-convert/;s/^  CONVERT=""/  CONVERT=convert/;s/^  ICOTOOL=""/  ICOTOOL=icotool/}' configure.ac
  autoreconf -f
}

# In the source tree, as Debian builds it: Wine makes fonts from their sources there only.
configure() {
  local disabled
  disabled="$(python3 "$here/needed-modules.py" "$src")"
  cd "$src"
  # -O1 and no -g: a Wine that runs tests needs no debugging information of its own.
  # shellcheck disable=SC2086  # one word per module
  ./configure --prefix="$prefix" --enable-archs=i386,x86_64 --disable-tests --disable-win16 \
    --with-mingw --without-gettext --without-gettextpo --without-oss --without-sane \
    --without-netapi --without-vulkan --without-opencl --without-gstreamer --without-cups \
    --without-krb5 --without-pcap --without-pulse --without-alsa --without-sdl \
    --without-usb --without-v4l2 --without-gphoto --without-capi --without-dbus --without-udev \
    --without-unwind --without-wayland --without-gnutls --without-osmesa --without-opengl \
    --without-pcsclite --without-inotify \
    ZLIB_PE_LIBS=z CFLAGS="-O1" CROSSCFLAGS="-O1" $disabled >"$dir/configure.log" 2>&1 ||
    { tail -30 "$dir/configure.log"; return 1; }
}

compile() {
  cd "$src"
  # The headers first, as Debian's rules make them.
  "${low_priority[@]}" make -j"$jobs" include/all >"$dir/compile.log" 2>&1 || { tail -40 "$dir/compile.log"; return 1; }
  "${low_priority[@]}" make -j"$jobs" >>"$dir/compile.log" 2>&1 || { tail -40 "$dir/compile.log"; return 1; }
}

install_wine() {
  cd "$src"
  rm -rf "$prefix"
  make install >"$dir/install.log" 2>&1 || { tail -30 "$dir/install.log"; return 1; }
  # zlib1.dll with Wine's builtin mark, as Debian's libwine installs it: without it the 32-bit
  # side (syswow64) stays empty and no 32-bit user32 can load.
  local mingw wine_arch in out
  for mingw in i686 x86_64; do
    wine_arch=$mingw
    [ "$mingw" = i686 ] && wine_arch=i386
    in="/usr/$mingw-w64-mingw32/lib/zlib1.dll"
    out="$(dirname "$(find "$prefix" -path "*/$wine_arch-windows/kernel32.dll" | head -1)")/zlib1.dll"
    { head -c 64 "$in"; printf 'Wine builtin DLL'; head -c 16 /dev/zero; tail -c +97 "$in"; } >"$out"
  done
}

# The proof that it runs 32-bit code and draws its windows: the tiny window, built for i686,
# under this Wine in a prefix of its own (and an Xvfb of its own when no display is reachable).
check() {
  local work="$dir/check"
  mkdir -p "$work"
  i686-w64-mingw32-gcc -O1 -o "$work/tiny-window.exe" "$here/tiny-window.c" -mconsole -lcomctl32 -lgdi32
  cp "$here/tiny-window.exe.manifest" "$work/"
  (QM_WINE32_PREFIX="$work/prefix" && source "$here/wine-env.sh" && wine "$work/tiny-window.exe")
}

# Not a stage: it is a fact of the machine, and the same folder may be used on another.
probe() {
  mkdir -p "$dir/check"
  gcc -O1 -o "$dir/check/probe-32bit-code" "$here/probe-32bit-code.c"
  "$dir/check/probe-32bit-code" && return 0
  echo "build-wine.sh: stopped: Wine's WoW64 cannot start a 32-bit program on this machine (above)" >&2
  return 1
}

stage packages packages
probe
stage sources sources
stage generate generate
stage configure configure
stage compile compile
stage install install_wine
stage check check
echo "$prefix/bin"
