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
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
