#!/usr/bin/env python3
"""Writes the release's software bill of materials, CycloneDX 1.6 JSON:

    write_sbom.py OUT VERSION EPOCH FOLDER PROGRAM=MAP...

The release is the metadata's component; each program in FOLDER is a
component with the SHA-256 of the file as shipped, and each toolchain library
inside it (read from its link map) another, with its package's version, its
licence and a purl. Dependencies say which program holds which library. The
formulation names the converter that made the guides' HTML pages. The
time stamp is EPOCH and the serial number a name-based UUID of everything
else, so the same release gives the same bytes.
"""
import datetime
import hashlib
import json
import os
import sys
import uuid

from toolchain_components import converter, libraries, parse_maps, run

SUPPLIER = {"name": "Orvane"}
OWN_LICENCE = [{"license": {"id": "MIT"}}]


def sha256(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def bom(version, epoch, folder, maps):
    found = libraries(maps)
    programs = [program for program, _ in maps]
    components = [{
        "type": "application",
        "bom-ref": program,
        "supplier": SUPPLIER,
        "name": program,
        "version": version,
        "hashes": [{"alg": "SHA-256", "content": sha256(os.path.join(folder, program))}],
        "licenses": OWN_LICENCE,
    } for program in programs]
    components += [{
        "type": "library",
        "bom-ref": library.name,
        "name": library.name,
        "version": library.version,
        "licenses": [{"expression": library.licence}],
        "purl": library.purl,
    } for library in found]
    dependencies = [{"ref": "velk", "dependsOn": programs}]
    dependencies += [{"ref": program, "dependsOn": [library.name for library in found if program in library.programs]}
                     for program in programs]
    dependencies += [{"ref": library.name, "dependsOn": []} for library in found]
    tool = converter()
    formulation = [{
        "bom-ref": "guides",
        "components": [{
            "type": "application",
            "bom-ref": tool.name,
            "name": tool.name,
            "version": tool.version,
            "description": "Made the guides' HTML pages at build time; none of its code ships.",
            "licenses": [{"expression": tool.licence}],
            "purl": tool.purl,
        }],
    }]
    when = datetime.datetime.fromtimestamp(int(epoch), datetime.timezone.utc)
    document = {
        "metadata": {
            "timestamp": when.strftime("%Y-%m-%dT%H:%M:%SZ"),
            "component": {
                "type": "application",
                "bom-ref": "velk",
                "supplier": SUPPLIER,
                "name": "velk",
                "version": version,
                "licenses": OWN_LICENCE,
            },
        },
        "components": components,
        "dependencies": dependencies,
        "formulation": formulation,
    }
    content = json.dumps(document, sort_keys=True).encode("utf-8")
    serial = uuid.uuid5(uuid.NAMESPACE_URL, "urn:velk-sbom:" + hashlib.sha256(content).hexdigest())
    return {"bomFormat": "CycloneDX", "specVersion": "1.6", "serialNumber": serial.urn, "version": 1, **document}


def main():
    out, version, epoch, folder, *maps = sys.argv[1:]
    document = bom(version, epoch, folder, parse_maps(maps))
    partial = out + ".partial"
    with open(partial, "w", encoding="utf-8", newline="\n") as file:
        json.dump(document, file, indent=2, ensure_ascii=False)
        file.write("\n")
    os.replace(partial, out)


if __name__ == "__main__":
    run(main)
