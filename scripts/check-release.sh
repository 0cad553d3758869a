#!/usr/bin/env bash
# Proves the release without a network: builds the `release` target of the win32 preset twice,
# unsigned in build/win32 and signed in build/win32-signed with a throwaway code-signing
# certificate made here, then checks both: the winget manifest against winget's schemas, the
# zip and the checksums against the files, the signatures, and that removing a signature gives
# back the unsigned program. Ends with "release check: N passed, M failed"; exit status 1 when a
# check fails or a build does.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
jobs=${QM_JOBS:-2}  # build jobs; scripts/test-all.sh passes its own count
# winget's own schemas, kept in the repository so that the check needs no network.
schemas=$repo/tests/release/winget-schemas
# Debian's interpreter: python3-jsonschema and python3-yaml are its modules.
python=/usr/bin/python3
unsigned=$repo/build/win32
signed=$repo/build/win32-signed
work=$(mktemp -d "${TMPDIR:-/tmp}/qm-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
# A maintainer's own certificate must not sign the unsigned build.
unset QUILLMARK_SIGNING_PFX QUILLMARK_SIGNING_PASSWORD QUILLMARK_TIMESTAMP_URL

for schema in version installer defaultLocale; do
  [ -f "$schemas/manifest.$schema.1.10.0.json" ] || {
    echo "check-release.sh: no winget schema manifest.$schema.1.10.0.json in $schemas" >&2
    exit 1
  }
done

step() { printf '\n==== %s\n' "$*"; }

# quietly LOG COMMAND...: runs the command with its output in LOG, shown only when it fails.
quietly() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 || { tail -n 40 "$log" >&2; echo "check-release.sh: failed: $*" >&2; exit 1; }
}

passed=0
failed=0
# check WHAT COMMAND...: one check; its output is shown when it fails.
check() {
  local what=$1 out
  shift
  if out=$("$@" 2>&1); then
    passed=$((passed + 1))
    echo "ok      $what"
  else
    failed=$((failed + 1))
    echo "FAILED  $what"
    [ -z "$out" ] || sed 's/^/        /' <<<"$out"
  fi
}

cat >"$work/checks.py" <<'EOF'
import hashlib, json, os, sys, zipfile
import jsonschema, yaml

def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()

def read(path):
    with open(path, "rb") as f:
        return f.read()

def manifests(release):
    names = {"version": "Penwright.Quillmark.yaml", "installer": "Penwright.Quillmark.installer.yaml",
             "defaultLocale": "Penwright.Quillmark.locale.en-US.yaml"}
    return {kind: yaml.safe_load(open(os.path.join(release, name), encoding="utf-8"))
            for kind, name in names.items()}

def the_zip(release):
    zips = [n for n in os.listdir(release) if n.endswith(".zip")]
    assert len(zips) == 1, "not one zip in %s: %s" % (release, zips)
    return os.path.join(release, zips[0])

# schema RELEASE SCHEMAS: each manifest file is valid against winget's schema of its kind.
def schema(release, schemas):
    for kind, document in manifests(release).items():
        with open(os.path.join(schemas, "manifest.%s.1.10.0.json" % kind)) as f:
            jsonschema.validate(document, json.load(f))

# manifest RELEASE: the three files describe one package version, the one of the zip, whose
# nested installer is in it, and InstallerSha256 is the zip's.
def manifest(release):
    m = manifests(release)
    zip_path = the_zip(release)
    version = m["version"]["PackageVersion"]
    for kind, document in m.items():
        assert document["PackageIdentifier"] == "Penwright.Quillmark", kind
        assert document["PackageVersion"] == version, kind
        assert document["ManifestVersion"] == "1.10.0", kind
    assert os.path.basename(zip_path) == "Quillmark-%s.zip" % version, zip_path
    installer = m["installer"]
    assert installer["AppsAndFeaturesEntries"][0]["DisplayVersion"] == version
    # Tied to Setup's Add/Remove Programs key; "nothing to do" is no failure.
    assert installer["ProductCode"] == installer["AppsAndFeaturesEntries"][0]["ProductCode"] == "Quillmark"
    assert installer["InstallerSuccessCodes"] == [4]
    expected_codes = {c["InstallerReturnCode"]: c["ReturnResponse"] for c in installer["ExpectedReturnCodes"]}
    assert expected_codes == {1: "invalidParameter", 5: "packageInUse", 1618: "installInProgress"}, expected_codes
    nested = [f["RelativeFilePath"] for f in installer["NestedInstallerFiles"]]
    assert nested == ["Setup.exe"], nested
    assert nested[0] in zipfile.ZipFile(zip_path).namelist()
    [entry] = installer["Installers"]
    expected = sha256(zip_path).upper()
    assert entry["InstallerSha256"] == expected, "%s, the zip's is %s" % (entry["InstallerSha256"], expected)

# members RELEASE DIST: the zip holds Setup.exe and the seven packages of DIST, in this order and
# byte for byte, and SHA256SUMS names exactly the zip and these files.
def members(release, dist):
    order = ["Setup.exe", "Quillmk.pak", "Delphi10.pak", "Delphi20.pak", "Delphi30.pak",
             "Delphi40.pak", "BCB10.pak", "BCB30.pak"]
    zip_path = the_zip(release)
    with zipfile.ZipFile(zip_path) as z:
        assert z.namelist() == order, z.namelist()
        for name in order:
            assert z.read(name) == read(os.path.join(dist, name)), name + " differs from " + dist
    with open(os.path.join(release, "SHA256SUMS")) as f:
        listed = [line.split("  ", 1)[1].rstrip("\n") for line in f]
    assert sorted(listed) == sorted(order + [os.path.basename(zip_path)]), listed

# contains BIG SMALL: the file SMALL lies in BIG byte for byte (an embedded resource).
def contains(big, small):
    assert read(small) in read(big), "%s does not carry %s" % (big, small)

globals()[sys.argv[1]](*sys.argv[2:])
EOF
checks() { "$python" "$work/checks.py" "$@"; }

# unpacked RELEASE: SHA256SUMS checks out against the zip and the files unpacked beside it, as a
# user checks a download.
unpacked() {
  local folder
  folder=$(mktemp -d "$work/unpacked.XXXXXX")
  cp "$1"/Quillmark-*.zip "$1/SHA256SUMS" "$folder/"
  (cd "$folder" && "$python" -m zipfile -e Quillmark-*.zip . && sha256sum --check --strict SHA256SUMS)
}

# pinned RELEASE: the unpacked zip's packages are those its Setup.exe pins (paktool verify), and
# a package with one byte changed is not.
pinned() {
  local folder
  folder=$(mktemp -d "$work/pinned.XXXXXX")
  (cd "$folder" && "$python" -m zipfile -e "$1"/Quillmark-*.zip .)
  "$paktool" verify "$folder/Setup.exe" "$folder" || return 1
  printf '\x55' | dd of="$folder/Delphi30.pak" bs=1 seek=100 conv=notrunc status=none
  ! "$paktool" verify "$folder/Setup.exe" "$folder"
}

# unsigned_again SIGNED UNSIGNED: removing the signature of SIGNED gives the bytes of UNSIGNED.
unsigned_again() {
  local stripped
  stripped=$(mktemp -u "$work/stripped.XXXXXX")
  osslsigncode remove-signature -in "$1" -out "$stripped" >/dev/null
  cmp "$stripped" "$2"
}

step "native paktool"
quietly "$work/native.log" cmake --preset native
quietly "$work/native.log" cmake --build --preset native -j"$jobs" --target paktool
paktool=$repo/build/native/tools/paktool/paktool

step "unsigned release in build/win32"
quietly "$work/unsigned.log" cmake --preset win32
quietly "$work/unsigned.log" cmake --build --preset win32 -j"$jobs" --target release

step "signed release in build/win32-signed, with a throwaway certificate"
password=$(openssl rand -hex 16)
quietly "$work/certificate.log" openssl req -x509 -newkey rsa:2048 -nodes -days 1 \
  -subj "/CN=Quillmark release check" -addext "keyUsage=critical,digitalSignature" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/certificate.pem"
QUILLMARK_SIGNING_PASSWORD=$password quietly "$work/certificate.log" openssl pkcs12 -export \
  -inkey "$work/key.pem" -in "$work/certificate.pem" -out "$work/certificate.pfx" \
  -passout env:QUILLMARK_SIGNING_PASSWORD
quietly "$work/signed.log" cmake --preset win32 -B "$signed" -DQM_HOST_PAKTOOL="$paktool"
# osslsigncode as the build finds it notes its command lines, which ps would show: they must
# not hold the password. --verbose: the log holds every command the build runs.
mkdir "$work/bin"
cat >"$work/bin/osslsigncode" <<SHIM
#!/bin/sh
printf '%s\n' "\$*" >>"$work/osslsigncode-commands"
exec "$(command -v osslsigncode)" "\$@"
SHIM
chmod +x "$work/bin/osslsigncode"
PATH=$work/bin:$PATH QUILLMARK_SIGNING_PFX=$work/certificate.pfx QUILLMARK_SIGNING_PASSWORD=$password \
  quietly "$work/signed.log" cmake --build "$signed" -j"$jobs" --target release --verbose

step "checks"
for build in "$unsigned" "$signed"; do
  name=${build#"$repo/"}
  check "$name: the manifest files are valid winget manifests" checks schema "$build/release" "$schemas"
  check "$name: the manifest describes the zip (version, nested Setup.exe, InstallerSha256)" \
    checks manifest "$build/release"
  check "$name: the zip holds Setup.exe and the seven packages of dist, SHA256SUMS names them" \
    checks members "$build/release" "$build/dist"
  check "$name: sha256sum -c SHA256SUMS passes on the unpacked zip" unpacked "$build/release"
  check "$name: Setup.exe pins the zip's packages, and no package changed by a byte" pinned "$build/release"
done

check "build/win32: Sweeper.exe is embedded unsigned, as linked" \
  cmp "$unsigned/sweeper/embedded/Sweeper.exe" "$unsigned/sweeper/Sweeper.exe"
check "build/win32: Setup.exe is released unsigned, as linked" \
  cmp "$unsigned/dist/Setup.exe" "$unsigned/sample/pinned/Setup.exe"
check "build/win32: Setup.exe carries the unsigned Sweeper.exe" \
  checks contains "$unsigned/sample/pinned/Setup.exe" "$unsigned/sweeper/Sweeper.exe"
check "build/win32-signed: osslsigncode verifies the signed Sweeper.exe" \
  osslsigncode verify -CAfile "$work/certificate.pem" -in "$signed/sweeper/embedded/Sweeper.exe"
check "build/win32-signed: osslsigncode verifies the signed Setup.exe" \
  osslsigncode verify -CAfile "$work/certificate.pem" -in "$signed/dist/Setup.exe"
check "build/win32-signed: Setup.exe carries the signed Sweeper.exe" \
  checks contains "$signed/sample/pinned/Setup.exe" "$signed/sweeper/embedded/Sweeper.exe"
check "the signed Sweeper.exe without its signature is the unsigned build's Sweeper.exe" \
  unsigned_again "$signed/sweeper/embedded/Sweeper.exe" "$unsigned/sweeper/Sweeper.exe"
check "the signed Setup.exe without its signature is Setup.exe as linked around the signed helper" \
  unsigned_again "$signed/dist/Setup.exe" "$signed/sample/pinned/Setup.exe"
check "the password is on no command line of osslsigncode" \
  bash -c '[ -s "$2" ] && ! grep -F -e "$1" "$2"' - "$password" "$work/osslsigncode-commands"
check "the password is nowhere in the signed build's folder or log" \
  bash -c '! grep -rlF -e "$1" "$2" "$3"' - "$password" "$signed" "$work/signed.log"

echo
echo "release check: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
