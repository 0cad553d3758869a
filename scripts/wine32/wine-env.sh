# Sourced: scripts/wine-env.sh for the 32-bit programs. The WoW64 Wine that build-wine.sh
# installs comes first on PATH, and the prefix is its own: one that Wine 10 has made is no
# prefix for the system's Wine 8, which the 64-bit tests keep using.
qm_wine32_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export PATH="${QM_WINE32_DIR:-/opt/quillmark-wine}/wine/bin:$PATH"
export WINEPREFIX="${QM_WINE32_PREFIX:-$(dirname "$(dirname "$qm_wine32_here")")/build/wineprefix-wow64}"
unset qm_wine32_here
source "$(dirname "${BASH_SOURCE[0]}")/../wine-env.sh"
