#!/usr/bin/env python3
"""The guides against the programs: the usage texts that README.md and
README.ja.md show are what velk and tamrel print, byte for byte, and every
message in their tables is one that the programs' sources print, the same
in both guides.

Environment: WINE_RUN (the Wine wrapper), VELK and TAMREL (the programs),
SOURCE_DIR.
"""
import os
import re
import subprocess
import unittest

WINE_RUN = os.environ["WINE_RUN"]
PROGRAMS = {"velk": os.environ["VELK"], "tamrel": os.environ["TAMREL"]}
SOURCE_DIR = os.environ["SOURCE_DIR"]
GUIDES = [os.path.join(SOURCE_DIR, name) for name in ("README.md", "README.ja.md")]


def read_guide(path):
    with open(path, encoding="utf-8") as file:
        return file.read()


def block(guide, marker):
    """The fenced block after <!-- marker -->, as the program prints it:
    CP932, each line ended by CR LF."""
    match = re.search(r"<!-- %s -->\n```text\n(.*?)```\n" % re.escape(marker), guide, re.S)
    return match.group(1).replace("\n", "\r\n").encode("cp932")


def output(program, *arguments):
    return subprocess.run([WINE_RUN, PROGRAMS[program], *arguments], stdin=subprocess.DEVNULL,
                          capture_output=True, timeout=120).stdout


def table_messages(guide):
    """What the Output column of every table shows in backticks."""
    messages = set()
    for line in guide.splitlines():
        cells = line.split("|")
        if line.startswith("|") and len(cells) >= 4:
            messages.update(re.findall(r"`([^`]+)`", cells[-3]))
    return messages


class Guides(unittest.TestCase):
    def test_usage_texts_are_what_the_programs_print(self):
        printed = {
            "velk help": output("velk", "help"),
            "velk usage": output("velk", "x").split(b"\r\n\r\n\r\n", 1)[1],
            "tamrel usage": output("tamrel"),
        }
        for path in GUIDES:
            guide = read_guide(path)
            for marker, text in printed.items():
                self.assertEqual(text, block(guide, marker), (path, marker))

    def test_table_messages_are_the_programs_own(self):
        english, japanese = (table_messages(read_guide(path)) for path in GUIDES)
        self.assertEqual(english, japanese)
        sources = ""
        for folder in ("common", "velk", "tamrel"):
            for name in sorted(os.listdir(os.path.join(SOURCE_DIR, folder))):
                if name.endswith(".cpp"):
                    sources += read_guide(os.path.join(SOURCE_DIR, folder, name))
        for message in english:
            # Numbers and the subject of tamrel's messages are put in at run time.
            for fragment in re.split(r"\d+|\bN\b|^(?:user name|password)(?= has)", message):
                self.assertTrue(fragment.replace('"', '\\"') in sources, (message, fragment))


if __name__ == "__main__":
    unittest.main(verbosity=2)
