"""The third-party code inside the shipped programs, read from the link itself.

The linker's map of each program (-Wl,-Map) names every archive that gave it
a member and every object file it loaded. Those from outside the build folder
are the toolchain's; dpkg names the Debian package that holds each, and the
package database its version. LIBRARIES below only says which library a file
belongs to and under which licence: a file that no entry claims, or that
comes from another source package than the entry expects, stops the release,
so nothing ships unaccounted for. A library that the link stops pulling in
drops out by itself.
"""
import functools
import os
import re
import subprocess
import sys

GCC_RUNTIME = "GPL-3.0-or-later WITH GCC-exception-3.1"

# name, licence (SPDX), Debian source package, the files it comes in
LIBRARIES = [
    ("libstdc++", GCC_RUNTIME, "gcc-mingw-w64", r"libstdc\+\+\.a|libsupc\+\+\.a"),
    ("libgcc", GCC_RUNTIME, "gcc-mingw-w64", r"libgcc\.a|libgcc_eh\.a|crtbegin\.o|crtend\.o|crtfastmath\.o"),
    ("libssp", GCC_RUNTIME, "gcc-mingw-w64", r"libssp\.a|libssp_nonshared\.a"),
    ("winpthreads", "MIT AND BSD-3-Clause", "mingw-w64", r"libpthread\.a|libwinpthread\.a"),
    # The C runtime's start-up code (crt2u.o where the entry point is wmain)
    # and libraries, and the import libraries that it generates for the
    # system DLLs.
    ("MinGW-w64 CRT", "ZPL-2.1 AND LicenseRef-public-domain", "mingw-w64", r"crt2u?\.o|lib[a-z0-9_]+\.a"),
]


# What the build used beside the toolchain, none of whose code ships: the
# converter that makes the guides' HTML pages (release/write_guides.py uses
# no other). Name, licence (SPDX), Debian source package, binary package.
CONVERTER = ("Python-Markdown", "BSD-3-Clause", "python-markdown", "python3-markdown")


class ReleaseError(Exception):
    pass


class Library:
    def __init__(self, name, licence, package, version):
        self.name, self.licence, self.package, self.version = name, licence, package, version
        self.programs = []  # the programs it is inside, in the order given

    @property
    def purl(self):
        return "pkg:deb/debian/%s@%s" % (self.package, self.version)


# Every map that GNU ld writes has this heading, also one of a link that
# took nothing from an archive.
GNU_LD_MAP_HEADING = "Linker script and memory map"


def linked_files(program, map_path):
    """The toolchain files that gave a program code: the archives that a
    member was taken from (a line of their own: ARCHIVE(MEMBER)), and the
    objects loaded whole (LOAD OBJECT). Paths are read whole, spaces and
    all; relative ones are the build's own. A map that is not GNU ld's, or
    that names no toolchain file, would say that nothing third-party is
    inside: it stops the release instead."""
    try:
        with open(map_path, encoding="utf-8", errors="replace") as file:
            lines = file.read().splitlines()
    except OSError as error:
        raise ReleaseError("%s has no link map %s (%s): build the programs first"
                           % (program, map_path, error.strerror))
    if GNU_LD_MAP_HEADING not in lines:
        raise ReleaseError("%s's link map %s is empty or not a GNU ld map: what is inside %s cannot be told"
                           % (program, map_path, program))
    files = []
    for line in lines:
        match = re.match(r"([^\s(][^(]*?\.a)\(.*\)$|LOAD (.+\.o)$", line)
        path = match and os.path.normpath(match.group(1) or match.group(2))
        if path and os.path.isabs(path) and path not in files:
            files.append(path)
    if not files:
        raise ReleaseError("%s's link map %s names no file of the toolchain, not even its start-up code"
                           % (program, map_path))
    return files


@functools.lru_cache(maxsize=None)  # both programs link mostly the same files
def dpkg(*arguments):
    try:
        result = subprocess.run(["dpkg-query", *arguments], capture_output=True, text=True)
    except FileNotFoundError:
        raise ReleaseError("dpkg-query is missing: the licences are read from Debian's package database")
    return result.stdout.strip() if result.returncode == 0 else None


def owning_package(path):
    for candidate in (path, os.path.realpath(path)):
        found = dpkg("-S", candidate)
        if found:
            return found.split(":")[0].split(",")[0].strip()
    raise ReleaseError("no Debian package holds %s: its licence cannot be told" % path)


def libraries(maps):
    """maps: (program name, map path) pairs. The libraries inside any of the
    programs, in the order of LIBRARIES."""
    if not maps:
        raise ReleaseError("no PROGRAM=MAP given: the programs' link maps tell what is inside them")
    found = {}
    for program, map_path in maps:
        for path in linked_files(program, map_path):
            name = os.path.basename(path)
            entry = next((e for e in LIBRARIES if re.fullmatch(e[3], name)), None)
            if entry is None:
                raise ReleaseError("%s takes code from %s, which no entry of LIBRARIES in %s accounts for"
                                   % (program, path, __file__))
            package = owning_package(path)
            source = dpkg("-W", "-f=${source:Package}", package)
            if source != entry[2]:
                raise ReleaseError("%s comes from the package %s (source %s), not from %s as %s expects"
                                   % (path, package, source, entry[2], entry[0]))
            library = found.get(entry[0])
            if library is None:
                library = found[entry[0]] = Library(entry[0], entry[1], package, dpkg("-W", "-f=${Version}", package))
            if program not in library.programs:
                library.programs.append(program)
    return [found[e[0]] for e in LIBRARIES if e[0] in found]


def converter():
    """The guides' converter as installed; its absence stops the release."""
    name, licence, source, package = CONVERTER
    status = dpkg("-W", "-f=${db:Status-Status} ${source:Package} ${Version}", package)
    if not status or status.split()[:2] != ["installed", source]:
        raise ReleaseError("the Debian package %s (source %s), which writes the guides' HTML pages, is not installed"
                           % (package, source))
    return Library(name, licence, package, status.split()[2])


def parse_maps(arguments):
    """PROGRAM=MAP arguments as pairs."""
    for argument in arguments:
        if "=" not in argument or argument.startswith("="):
            raise ReleaseError("%r is not PROGRAM=MAP" % argument)
    return [tuple(argument.split("=", 1)) for argument in arguments]


def run(main):
    try:
        main()
    except ReleaseError as error:
        sys.exit("%s: %s" % (os.path.basename(sys.argv[0]), error))
