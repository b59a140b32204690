#!/usr/bin/env python3
"""Gives an MSI the summary information that wixl and msibuild cannot set:

    set_msi_summary.py MSI EPOCH NAMESPACE

The creation and last-saved times become EPOCH (seconds since 1970), and
the package code (the revision number) becomes a name-based UUID, in
NAMESPACE, of the package's contents: every other stream, by name. So the
same files give the same package, and other files another package code.
The stream is rewritten in place: every value keeps its size.
"""
import hashlib
import struct
import sys
import uuid

import olefile

SUMMARY = "\x05SummaryInformation"
VT_LPSTR, VT_FILETIME = 30, 64
PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM = 9, 12, 13
FILETIME_FROM_UNIX = 11644473600  # seconds from 1601 to 1970


def contents_digest(msi):
    digest = hashlib.sha256()
    for path in sorted(msi.listdir(streams=True, storages=False)):
        name = "/".join(path)
        if name == SUMMARY:
            continue
        digest.update(name.encode("utf-8") + b"\0")
        data = msi.openstream(path).read()
        digest.update(struct.pack("<Q", len(data)) + data)
    return digest.hexdigest()


def main():
    path, epoch, namespace = sys.argv[1], int(sys.argv[2]), uuid.UUID(sys.argv[3])
    with olefile.OleFileIO(path, write_mode=True) as msi:
        summary = bytearray(msi.openstream(SUMMARY).read())
        package_code = "{%s}" % str(uuid.uuid5(namespace, contents_digest(msi))).upper()
        filetime = struct.pack("<Q", (epoch + FILETIME_FROM_UNIX) * 10_000_000)
        section = struct.unpack_from("<I", summary, 44)[0]  # after the header and the one section's FMTID
        count = struct.unpack_from("<I", summary, section + 4)[0]
        found = set()
        for i in range(count):
            pid, offset = struct.unpack_from("<II", summary, section + 8 + 8 * i)
            value = section + offset
            kind = struct.unpack_from("<I", summary, value)[0]
            if pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM) and kind == VT_FILETIME:
                summary[value + 4:value + 12] = filetime
                found.add(pid)
            elif pid == PID_REVNUMBER and kind == VT_LPSTR:
                size = struct.unpack_from("<I", summary, value + 4)[0]
                text = package_code.encode("ascii") + b"\0"
                if size != len(text):
                    sys.exit(f"{path}: the package code takes {size} bytes, not {len(text)}")
                summary[value + 8:value + 8 + size] = text
                found.add(pid)
        missing = {PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM} - found
        if missing:
            sys.exit(f"{path}: the summary information has no properties {sorted(missing)}")
        msi.write_stream(SUMMARY, bytes(summary))


if __name__ == "__main__":
    main()
