#!/usr/bin/env bash
# Installs the Debian packages that the build, the demo and the tests use (debian-packages.txt,
# one a line), when any is missing. Without recommended packages, so that nothing arrives by
# chance: whatever we use is named in the list.
set -euo pipefail
list="$(dirname "$0")/debian-packages.txt"
missing=()
while read -r p; do
  [ -n "$p" ] || continue
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done <"$list"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The language tests start Setup under these locales: Wine takes a process's Windows locale
# from LANG, and falls back to English when the glibc locale does not exist.
locales=(en_US.UTF-8 ja_JP.UTF-8 ru_RU.UTF-8 zh_CN.UTF-8)
have="$(locale -a 2>/dev/null | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')"
generate=false
for l in "${locales[@]}"; do
  short="$(printf '%s' "$l" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')"
  printf '%s\n' "$have" | grep -qx "$short" && continue
  generate=true
  $SUDO sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
  grep -qx "$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
done
if $generate; then
  echo "Generating locales: ${locales[*]}"
  $SUDO locale-gen >/dev/null
fi
