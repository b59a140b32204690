#!/usr/bin/env python3
"""Checks a built program: it imports only Windows system DLLs, is hardened
(ASLR with its relocations, DEP, terminal-server aware, no section both
writable and executable, stack protection and checked string functions
linked in), has no time stamp, and carries the asInvoker manifest and the
Japanese version resource.

check_binary.py OBJDUMP OBJCOPY PROGRAM.exe "file description" VERSION
"""
import re
import struct
import subprocess
import sys
import tempfile

DYNAMIC_BASE, NX_COMPAT, TERMINAL_SERVER_AWARE = 0x0040, 0x0100, 0x8000
RELOCS_STRIPPED = 0x0001
SCN_EXECUTE, SCN_WRITE = 0x20000000, 0x80000000
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "shell32.dll", "shlwapi.dll", "advapi32.dll", "msvcrt.dll"}


def hardening_failures(image):
    """What the PE headers of a 32-bit program lack."""
    failures = []
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    sections, stamp = struct.unpack_from("<HI", image, pe + 6)
    optional_size, characteristics = struct.unpack_from("<HH", image, pe + 20)
    optional = pe + 24
    dll_characteristics = struct.unpack_from("<H", image, optional + 70)[0]
    relocations_size = struct.unpack_from("<I", image, optional + 96 + 5 * 8 + 4)[0]
    if stamp != 0:
        failures.append(f"has the time stamp {stamp:#x}")
    for flag, name in ((DYNAMIC_BASE, "ASLR (--dynamicbase)"), (NX_COMPAT, "DEP (--nxcompat)"),
                       (TERMINAL_SERVER_AWARE, "terminal-server-aware flag (--tsaware)")):
        if not dll_characteristics & flag:
            failures.append(f"has no {name}")
    if characteristics & RELOCS_STRIPPED or relocations_size == 0:
        failures.append("has no relocations, so ASLR cannot move it")
    for i in range(sections):
        header = optional + optional_size + 40 * i
        name = image[header:header + 8].rstrip(b"\0").decode()
        flags = struct.unpack_from("<I", image, header + 36)[0]
        if flags & SCN_EXECUTE and flags & SCN_WRITE:
            failures.append(f"has the section {name}, both writable and executable")
    for text, what in ((b"*** stack smashing detected ***", "stack protection (-fstack-protector-strong)"),
                       (b"*** buffer overflow detected ***", "checked string functions (_FORTIFY_SOURCE)")):
        if text not in image:
            failures.append(f"has no {what}")
    return failures


def main():
    objdump, objcopy, program, description, version = sys.argv[1:6]
    numbers = [int(part) for part in version.split(".")]
    name = program.replace("\\", "/").rsplit("/", 1)[-1]
    failures = []

    headers = subprocess.run([objdump, "-p", program], check=True, capture_output=True, text=True).stdout
    dlls = re.findall(r"DLL Name: (\S+)", headers)
    print(f"{name} imports: {', '.join(dlls)}")
    failures += [f"imports {dll}, which is no system DLL" for dll in dlls if dll.lower() not in SYSTEM_DLLS]
    if "(Windows CUI)" not in headers:
        failures.append("is not a console program")
    if "file format pei-i386" not in headers:
        failures.append("is not a 32-bit PE program")

    image = open(program, "rb").read()
    failures += hardening_failures(image)

    with tempfile.NamedTemporaryFile() as section:
        subprocess.run([objcopy, "-O", "binary", "-j", ".rsrc", program, section.name], check=True)
        resources = open(section.name, "rb").read()

    def utf16(text):
        return re.escape(text.encode("utf-16-le"))

    def entry(key, value):
        # A key, its NUL, the padding to the next 32-bit boundary, the value and its NUL.
        return utf16(key + "\0") + b"(?:\0\0)?" + utf16(value + "\0")

    wanted = {
        "manifest asInvoker": rb'requestedExecutionLevel level="asInvoker" uiAccess="false"',
        "string table 041104b0": utf16("041104b0\0"),
        "FileDescription": entry("FileDescription", description),
        "FileVersion": entry("FileVersion", version),
        "ProductVersion": entry("ProductVersion", version),
        "InternalName": entry("InternalName", name),
        "OriginalFilename": entry("OriginalFilename", name),
        "Translation 0x0411, 1200": utf16("Translation\0") + b"(?:\0\0)?" + re.escape(bytes([0x11, 0x04, 0xB0, 0x04])),
        # The signature, the structure's version, then file and product
        # version, each as two 32-bit words: major << 16 | minor, build << 16 | revision.
        f"fixed version {version}": re.escape(bytes.fromhex("bd04effe00000100") + struct.pack(
            "<2I", numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3]) * 2),
    }
    for what, pattern in wanted.items():
        if not re.search(pattern, resources):
            failures.append(f"has no {what} in its resources")

    for failure in failures:
        print(f"{name} {failure}")
    print(f"{name}: {'FAILED' if failures else 'ok'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
