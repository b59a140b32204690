#!/usr/bin/env python3
"""Writes THIRD-PARTY-NOTICES.txt: the third-party code linked into the
programs, and the licence and notice texts that go with every copy of it.

    write_notices.py OUT PROGRAM=MAP...

Each library is listed with its version, its licence (SPDX) and the programs
it is inside; then come, whole, the copyright file of each Debian package
that it came from (/usr/share/doc/PACKAGE/copyright) and every licence text
in /usr/share/common-licenses that those files refer to. Nothing is retyped:
a text that cannot be found stops the build. The converter that made the
guides' HTML pages is named too, as used, not shipped. CR LF line ends, for
Windows.
"""
import os
import re
import sys

from toolchain_components import ReleaseError, converter, libraries, parse_maps, run

RULE = "=" * 78
COMMON_LICENSES = "/usr/share/common-licenses"


def read_text(path, what):
    try:
        with open(path, encoding="utf-8") as file:
            return file.read()
    except OSError as error:
        raise ReleaseError("the %s %s cannot be read: %s" % (what, path, error.strerror))


def notices(found):
    lines = [
        "velk.exe and tamrel.exe are linked statically: they carry the following",
        "libraries of the toolchain that built them. Each library's licence and",
        "notice texts follow, as its Debian package ships them.",
        "",
    ]
    copyrights = []
    for library in found:
        lines += [
            "%s %s" % (library.name, library.version),
            "  Licence: %s" % library.licence,
            "  Inside: %s" % ", ".join(library.programs),
            "  From: the Debian package %s (%s)" % (library.package, library.purl),
            "",
        ]
        path = "/usr/share/doc/%s/copyright" % library.package
        if path not in copyrights:
            copyrights.append(path)
    tool = converter()
    lines += [
        "The guides' HTML pages were made at build time by the following tool;",
        "none of its code is inside the programs.",
        "",
        "%s %s" % (tool.name, tool.version),
        "  Licence: %s" % tool.licence,
        "  From: the Debian package %s (%s)" % (tool.package, tool.purl),
        "",
    ]
    texts = []
    shown = set()  # packages share a doc folder, and GPL is GPL-3: each text once

    def show(path, what):
        text = read_text(path, what)
        if os.path.realpath(path) not in shown:
            shown.add(os.path.realpath(path))
            texts.extend([RULE, path, RULE, text])
        return text

    referred = []
    for path in copyrights:
        text = show(path, "copyright file")
        for name in re.findall(re.escape(COMMON_LICENSES) + r"/([A-Za-z0-9.+-]*[A-Za-z0-9+])", text):
            if name not in referred:
                referred.append(name)
    for name in referred:
        show(os.path.join(COMMON_LICENSES, name), "licence text")
    return "\n".join(lines + texts)


def main():
    out, *maps = sys.argv[1:]
    text = notices(libraries(parse_maps(maps)))
    partial = out + ".partial"
    with open(partial, "w", encoding="utf-8", newline="\r\n") as file:
        file.write(text)
    os.replace(partial, out)


if __name__ == "__main__":
    run(main)
