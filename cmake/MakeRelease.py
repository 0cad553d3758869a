"""Writes the release of a distribution folder into OUT: the zip a user downloads, SHA256SUMS
over the zip and every file in it, and the three files of a winget manifest for the zip.

    MakeRelease.py --out DIR --version V --url URL [--epoch SECONDS] FILE...

The zip holds FILE... in the order given. Like paktool, it stores each file's time in UTC and no
later than --epoch (SOURCE_DATE_EPOCH) when that is given, else in local time; the entries carry
no attributes, owners or extra fields of the build machine, so two builds of one commit give the
same bytes.
"""
import argparse
import hashlib
import json
import os
import re
import shutil
import sys
import time
import zipfile

PACKAGE_IDENTIFIER = "Penwright.Quillmark"

# What winget needs to run Setup unattended. The return codes are Setup's own (README, exit
# codes); 4 is a success, since winget reports alreadyInstalled as a failure.
INSTALLER = """\
# yaml-language-server: $schema=https://aka.ms/winget-manifest.installer.1.10.0.schema.json
PackageIdentifier: Penwright.Quillmark
PackageVersion: @VERSION@
InstallerType: zip
NestedInstallerType: exe
NestedInstallerFiles:
  - RelativeFilePath: Setup.exe
Scope: machine
ElevationRequirement: elevatesSelf
InstallerSwitches:
  Silent: /VERYSILENT
  SilentWithProgress: /SILENT
  Log: '/LOG="<LOGPATH>"'
  InstallLocation: '/DIR="<INSTALLPATH>"'
# The name of Setup's Add/Remove Programs key.
ProductCode: Quillmark
# 4: nothing to do, this version is already installed.
InstallerSuccessCodes: [4]
# Each of these changed nothing; they only give winget the words for its message.
ExpectedReturnCodes:
  # a command line, log or installation directory that Setup refused
  - InstallerReturnCode: 1
    ReturnResponse: invalidParameter
  # files in use: Quillmark runs (Setup closes it only with /CLOSEAPPLICATIONS)
  - InstallerReturnCode: 5
    ReturnResponse: packageInUse
  # another Setup is running; try again when it has ended
  - InstallerReturnCode: 1618
    ReturnResponse: installInProgress
UpgradeBehavior: install
AppsAndFeaturesEntries:
  - DisplayName: Quillmark
    DisplayVersion: @VERSION@
    Publisher: Penwright
    ProductCode: Quillmark
Installers:
  - Architecture: x86
    InstallerUrl: @URL@
    InstallerSha256: @SHA256@
ManifestType: installer
ManifestVersion: 1.10.0
"""

DEFAULT_LOCALE = """\
# yaml-language-server: $schema=https://aka.ms/winget-manifest.defaultLocale.1.10.0.schema.json
PackageIdentifier: Penwright.Quillmark
PackageVersion: @VERSION@
PackageLocale: en-US
Publisher: Penwright
PackageName: Quillmark
License: Proprietary
ShortDescription: A help-authoring application and its property editors for Delphi and C++Builder.
ManifestType: defaultLocale
ManifestVersion: 1.10.0
"""

VERSION = """\
# yaml-language-server: $schema=https://aka.ms/winget-manifest.version.1.10.0.schema.json
PackageIdentifier: Penwright.Quillmark
PackageVersion: @VERSION@
DefaultLocale: en-US
ManifestType: version
ManifestVersion: 1.10.0
"""


def fail(message):
    sys.exit("MakeRelease.py: " + message)


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 16), b""):
            digest.update(block)
    return digest.hexdigest()


def zip_time(path, epoch):
    """The DOS date and time to store, clamped to what the format holds (1980 to 2107)."""
    written = int(os.stat(path).st_mtime)
    fields = time.gmtime(min(written, epoch)) if epoch is not None else time.localtime(written)
    stamp = tuple(fields[:6])
    return max((1980, 1, 1, 0, 0, 0), min(stamp, (2107, 12, 31, 23, 59, 58)))


def write_zip(zip_path, files, epoch):
    with zipfile.ZipFile(zip_path, "w") as archive:
        for path in files:
            entry = zipfile.ZipInfo(os.path.basename(path), zip_time(path, epoch))
            # MS-DOS attributes (archive), as Windows writes them: no Unix mode of the build
            # machine. Not 0, which zipfile would replace with a Unix mode of its own.
            entry.create_system = 0
            entry.external_attr = 0x20
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                archive.writestr(entry, f.read(), compresslevel=9)


def yaml_text(template, **values):
    # JSON strings are YAML double-quoted scalars: a version such as 1.0 stays a string.
    for key, value in values.items():
        template = template.replace("@" + key + "@", value if key == "SHA256" else json.dumps(value))
    return template


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--url", required=True)
    parser.add_argument("--epoch", default="")
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()

    # The version names the zip and the manifest's folder in a winget repository.
    if not re.fullmatch(r"[0-9A-Za-z][0-9A-Za-z.+_-]*", args.version):
        fail("the version is no plain version text: %r" % args.version)
    if not re.fullmatch(r"https?://\S+", args.url):
        fail("the download URL is no http(s) URL: %r" % args.url)
    if args.epoch and not args.epoch.isdigit():
        fail("SOURCE_DATE_EPOCH is not a number of seconds: %r" % args.epoch)
    epoch = int(args.epoch) if args.epoch else None
    names = [os.path.basename(f) for f in args.files]
    if len(set(n.lower() for n in names)) != len(names):
        fail("two files of one name: %s" % " ".join(names))

    # A fresh folder: nothing of an earlier version's release stays beside this one.
    shutil.rmtree(args.out, ignore_errors=True)
    os.makedirs(args.out)
    zip_name = "Quillmark-%s.zip" % args.version
    zip_path = os.path.join(args.out, zip_name)
    write_zip(zip_path, args.files, epoch)

    zip_sha = sha256(zip_path)
    with open(os.path.join(args.out, "SHA256SUMS"), "w", newline="\n") as sums:
        sums.write("%s  %s\n" % (zip_sha, zip_name))
        for path, name in zip(args.files, names):
            sums.write("%s  %s\n" % (sha256(path), name))

    manifests = {
        PACKAGE_IDENTIFIER + ".yaml": VERSION,
        PACKAGE_IDENTIFIER + ".installer.yaml": INSTALLER,
        PACKAGE_IDENTIFIER + ".locale.en-US.yaml": DEFAULT_LOCALE,
    }
    for name, template in manifests.items():
        text = yaml_text(template, VERSION=args.version, URL=args.url, SHA256=zip_sha.upper())
        with open(os.path.join(args.out, name), "w", encoding="utf-8", newline="\n") as f:
            f.write(text)


if __name__ == "__main__":
    main()
