#!/usr/bin/env python3
"""Writes the scoop manifest of a release, from the zip that was built:

    write_scoop.py OUT ZIP VERSION RELEASE_URL HOMEPAGE DESCRIPTION

velk.json, for a scoop bucket: the zip's URL and SHA-256, and the two
programs on the user's PATH.
"""
import hashlib
import json
import os
import sys


def main():
    out, package, version, release_url, homepage, description = sys.argv[1:]
    with open(package, "rb") as file:
        digest = hashlib.sha256(file.read()).hexdigest()
    manifest = {
        "version": version,
        "description": description,
        "homepage": homepage,
        "license": "MIT",
        "url": release_url.rstrip("/") + "/" + os.path.basename(package),
        "hash": digest,
        "bin": ["velk.exe", "tamrel.exe"],
    }
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "w", encoding="utf-8", newline="\n") as file:
        json.dump(manifest, file, indent=4, ensure_ascii=False)
        file.write("\n")


if __name__ == "__main__":
    main()
