#!/usr/bin/env python3
"""Checks a built program: it imports only Windows system DLLs, and carries
the asInvoker manifest and the Japanese version resource.

check_binary.py OBJDUMP OBJCOPY PROGRAM.exe "file description" VERSION
"""
import re
import struct
import subprocess
import sys
import tempfile

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "shell32.dll", "shlwapi.dll", "advapi32.dll", "msvcrt.dll"}


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
