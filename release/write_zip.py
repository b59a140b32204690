#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on the files and the given date:

    write_zip.py ZIP EPOCH FOLDER NAME...

The entries come in the order given, each dated EPOCH (seconds since 1970,
in UTC), with Windows' archive attribute and nothing of the machine that made
it: no owner, no access or change time, no local time zone. (The archivers
of CMake and CPack store every file's access and change times.)
"""
import os
import sys
import time
import zipfile


def main():
    zip_path, epoch, folder, *names = sys.argv[1:]
    # A zip dates its files in the DOS form, which begins in 1980.
    date = max(time.gmtime(int(epoch))[:6], (1980, 1, 1, 0, 0, 0))
    partial = zip_path + ".partial"
    with zipfile.ZipFile(partial, "w") as package:
        for name in names:
            entry = zipfile.ZipInfo(name, date)
            entry.create_system = 0  # made for Windows: attributes in the DOS form
            entry.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, name), "rb") as source:
                package.writestr(entry, source.read(), compresslevel=9)
    os.replace(partial, zip_path)


if __name__ == "__main__":
    main()
