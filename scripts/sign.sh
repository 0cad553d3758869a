#!/usr/bin/env bash
# Authenticode signing of the Windows programs, as the build calls it. The certificate comes
# from the environment of the build (never from the CMake cache, so that no password lands in a
# build folder):
#   QUILLMARK_SIGNING_PFX       the PKCS#12 file with the code-signing certificate and its key
#   QUILLMARK_SIGNING_PASSWORD  its password (may be empty)
#   QUILLMARK_TIMESTAMP_URL     optional: an RFC 3161 time-stamping service
# Without QUILLMARK_SIGNING_PFX the programs are copied unchanged: an unsigned build.
#
#   sign.sh state FILE            writes what the environment asks for (no secret) into FILE,
#                                 touching it only when that changed: what signed copies depend on
#   sign.sh copy IN OUT NAME      OUT is IN signed with SHA-256 under the description NAME, or
#                                 IN itself when nothing is to be signed
set -euo pipefail

pfx=${QUILLMARK_SIGNING_PFX:-}
timestamp=${QUILLMARK_TIMESTAMP_URL:-}

state() {
  local file=$1 wanted=unsigned
  if [ -n "$pfx" ]; then
    [ -r "$pfx" ] || { echo "sign.sh: QUILLMARK_SIGNING_PFX names no readable file: $pfx" >&2; exit 1; }
    # Another certificate in the same file must sign again, so its contents count, not its name.
    wanted="signed with $(sha256sum <"$pfx" | cut -d' ' -f1)${timestamp:+ timestamped by $timestamp}"
  fi
  if [ "$(cat "$file" 2>/dev/null)" != "$wanted" ]; then
    echo "$wanted" >"$file"
  fi
}

copy() {
  local in=$1 out=$2 name=$3
  part="$out.part" stripped="$out.stripped"
  rm -f "$part" "$stripped"
  mkdir -p "$(dirname "$out")"
  if [ -z "$pfx" ]; then
    cp "$in" "$part"
    mv -f "$part" "$out"
    return
  fi
  trap 'rm -f "$part" "$stripped"' EXIT
  local args=(sign -pkcs12 "$pfx" -readpass /dev/stdin -h sha256 -n "$name")
  [ -z "$timestamp" ] || args+=(-ts "$timestamp")
  # The password goes through a pipe from a shell builtin: it is on no command line that ps
  # shows and in no file.
  printf '%s' "${QUILLMARK_SIGNING_PASSWORD:-}" |
    osslsigncode "${args[@]}" -in "$in" -out "$part" >/dev/null ||
    { echo "sign.sh: osslsigncode could not sign $in" >&2; exit 1; }
  # Signing must add the signature and nothing else, so that anyone can strip it and compare the
  # rest with their own build of the same source. It holds while the linker writes the PE checksum
  # and the image ends on its file alignment (no padding for the certificate table).
  osslsigncode remove-signature -in "$part" -out "$stripped" >/dev/null
  cmp -s "$in" "$stripped" ||
    { echo "sign.sh: removing the signature of $out does not give back $in" >&2; exit 1; }
  rm -f "$stripped"
  mv -f "$part" "$out"
}

case "${1:-}" in
  state) [ $# -eq 2 ] || { echo "usage: sign.sh state FILE" >&2; exit 2; }; state "$2" ;;
  copy) [ $# -eq 4 ] || { echo "usage: sign.sh copy IN OUT NAME" >&2; exit 2; }; copy "$2" "$3" "$4" ;;
  *) echo "usage: sign.sh state FILE | sign.sh copy IN OUT NAME" >&2; exit 2 ;;
esac
