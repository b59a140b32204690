#!/usr/bin/env python3
"""Writes the winget manifests of a release, from the MSI that was built:

    write_winget.py FOLDER MSI VERSION RELEASE_URL HOMEPAGE DESCRIPTION

Four files in FOLDER, in winget's multi-file form (ManifestVersion 1.10.0):
the version, the installer (the MSI's URL and SHA-256, and the product and
upgrade codes that its Property table holds) and the English and Japanese
locales. They go to manifests/o/Orvane/velk/VERSION/ of winget-pkgs.
"""
import hashlib
import os
import subprocess
import sys

import yaml

IDENTIFIER = "Orvane.velk"
MANIFEST_VERSION = "1.10.0"
SCHEMA = "https://aka.ms/winget-manifest.%s.1.10.0.schema.json"
JAPANESE_DESCRIPTION = "プログラムを管理者として実行し、ローカル アカウントのパスワードを変更するコマンド (velk と tamrel)。"
TAGS = ["administrator", "elevation", "runas", "uac", "password", "command-line"]


def msi_properties(msi):
    """The MSI's Property table, as msitools reads it."""
    table = subprocess.run(["msiinfo", "export", msi, "Property"], capture_output=True, text=True, check=True).stdout
    rows = [line.split("\t", 1) for line in table.splitlines()[3:]]  # after the names, types and key
    return {row[0]: row[1] for row in rows if len(row) == 2}


def sha256(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest().upper()


def write(folder, kind, name, fields):
    path = os.path.join(folder, name)
    with open(path, "w", encoding="utf-8", newline="\n") as file:
        file.write("# yaml-language-server: $schema=%s\n" % (SCHEMA % kind))
        yaml.safe_dump(fields, file, sort_keys=False, allow_unicode=True)


def main():
    folder, msi, version, release_url, homepage, description = sys.argv[1:]
    properties = msi_properties(msi)
    os.makedirs(folder, exist_ok=True)
    head = {"PackageIdentifier": IDENTIFIER, "PackageVersion": version}
    tail = {"ManifestVersion": MANIFEST_VERSION}
    write(folder, "version", IDENTIFIER + ".yaml",
          {**head, "DefaultLocale": "en-US", "ManifestType": "version", **tail})
    write(folder, "installer", IDENTIFIER + ".installer.yaml", {
        **head,
        "InstallerType": "msi",
        "Scope": "machine",
        "UpgradeBehavior": "install",
        "Commands": ["velk", "tamrel"],
        "ProductCode": properties["ProductCode"],
        "AppsAndFeaturesEntries": [{"UpgradeCode": properties["UpgradeCode"]}],
        "Installers": [{
            "Architecture": "x86",
            "InstallerUrl": release_url.rstrip("/") + "/" + os.path.basename(msi),
            "InstallerSha256": sha256(msi),
        }],
        "ManifestType": "installer",
        **tail,
    })
    locale = {"Publisher": "Orvane", "PackageName": "velk", "PackageUrl": homepage, "License": "MIT"}
    write(folder, "defaultLocale", IDENTIFIER + ".locale.en-US.yaml", {
        **head, "PackageLocale": "en-US", **locale, "ShortDescription": description, "Moniker": "velk",
        "Tags": TAGS, "ManifestType": "defaultLocale", **tail,
    })
    write(folder, "locale", IDENTIFIER + ".locale.ja-JP.yaml", {
        **head, "PackageLocale": "ja-JP", **locale, "ShortDescription": JAPANESE_DESCRIPTION,
        "Tags": TAGS, "ManifestType": "locale", **tail,
    })


if __name__ == "__main__":
    main()
