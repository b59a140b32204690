#!/usr/bin/env python3
"""The release's SBOM and notices writers refuse, and write nothing, when a
link map cannot tell them everything that is inside the programs (the
package test has them account for the real maps).

Environment: SOURCE_DIR, WORK_DIR; MAP (a real link map of velk.exe).
"""
import os
import shutil
import subprocess
import sys
import unittest

SOURCE_DIR = os.environ["SOURCE_DIR"]
WORK_DIR = os.environ["WORK_DIR"]
MAP = os.environ["MAP"]
HEADING = "Linker script and memory map\n"


def write(name, text):
    path = os.path.join(WORK_DIR, name)
    with open(path, "w") as file:
        file.write(text)
    return path


class ReleaseTools(unittest.TestCase):
    def setUp(self):
        shutil.rmtree(WORK_DIR, ignore_errors=True)
        os.makedirs(WORK_DIR)
        for program in ("velk.exe", "tamrel.exe"):
            write(program, "program")

    def run_tools(self, maps):
        """Both writers with these PROGRAM=MAP arguments: their exit codes,
        what they said, and whether they wrote anything."""
        outcomes = []
        for tool, arguments in (("write_sbom.py", ["1.0.0", "1", WORK_DIR]), ("write_notices.py", [])):
            out = os.path.join(WORK_DIR, "out-" + tool)
            result = subprocess.run([sys.executable, os.path.join(SOURCE_DIR, "release", tool), out, *arguments, *maps],
                                    capture_output=True, text=True)
            outcomes.append((result.returncode, result.stderr, os.path.exists(out) or os.path.exists(out + ".partial")))
        return outcomes

    def test_what_cannot_be_accounted_for_stops_the_release(self):
        cases = [  # what, PROGRAM=MAP arguments, a word of the message
            ("no map", [], "no PROGRAM=MAP"),
            ("a missing map", ["velk.exe=" + os.path.join(WORK_DIR, "none.map")], "has no link map"),
            ("an empty map", ["velk.exe=" + write("empty.map", "")], "not a GNU ld map"),
            ("a foreign map", ["velk.exe=" + write("junk.map", "Address  Size  Symbol\n0x401000 12 main\n")],
             "not a GNU ld map"),
            ("no toolchain file", ["velk.exe=" + write("own.map", HEADING + "LOAD velk/main.o\n")],
             "names no file of the toolchain"),
            ("a path with a space", ["velk.exe=" + MAP, "tamrel.exe=" + write(
                "space.map", HEADING + "/opt/my tools/libevil.a(evil.o)\n    velk/main.o (evil)\n")],
             "/opt/my tools/libevil.a"),
            ("not PROGRAM=MAP", [MAP], "is not PROGRAM=MAP"),
        ]
        for what, maps, word in cases:
            for status, said, wrote in self.run_tools(maps):
                self.assertNotEqual(0, status, what)
                self.assertIn(word, said, what)
                self.assertFalse(wrote, what)


if __name__ == "__main__":
    unittest.main(verbosity=2)
