#!/usr/bin/env python3
"""The guides against the programs: the usage texts that README.md and
README.ja.md show are what velk and tamrel print, byte for byte; every
message in their tables is one that the programs' sources print, the same
in both guides; the exit codes that they give for velk wait are the ones
velk ends with; and every example command of velk names its program as
velk finds it, extension included.

Environment: WINE_RUN (the Wine wrapper), VELK and TAMREL (the programs),
SOURCE_DIR.
"""
import os
import re
import shutil
import subprocess
import tempfile
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


def tables(guide):
    """Every table as a list of rows, each a list of its cells, the header
    first."""
    found, rows = [], []
    for line in guide.splitlines() + [""]:
        if line.startswith("|"):
            cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
            if not set("".join(cells)) <= set("-: "):
                rows.append(cells)
        elif rows:
            found.append(rows)
            rows = []
    return found


def table_messages(guide):
    """What the Output column (表示) of every table shows in backticks; a
    placeholder (NAME, <名前>) as NAME."""
    messages = set()
    for rows in tables(guide):
        for name in ("Output", "表示"):
            if name in rows[0]:
                column = rows[0].index(name)
                for row in rows[1:]:
                    messages.update(re.sub(r"<[^>]+>", "NAME", m) for m in re.findall(r"`([^`]+)`", row[column]))
    return messages


def example_commands(guide):
    """The lines of the guide's code blocks (fenced, or indented by four
    spaces) that start with velk: commands to copy. What a program prints
    (```text) and a transcript's prompt line (> ...) are not."""
    commands, fence = [], None
    for line in guide.splitlines():
        if line.lstrip().startswith("```"):
            fence = None if fence is not None else line.strip()[3:]
            continue
        code = line.strip()
        if (fence not in (None, "text") or line.startswith("    ")) and re.match(r"velk(\.exe)? ", code):
            commands.append(code)
    return commands


def wait_codes(guide):
    """Each message of velk's table with the exit code it gives under wait."""
    for rows in tables(guide):
        for name in ("Output", "表示"):
            if name in rows[0] and "`wait`" in rows[0][-1]:
                output = rows[0].index(name)
                return {message: row[-1] for row in rows[1:] for message in re.findall(r"`([^`]+)`", row[output])}
    return {}


class Guides(unittest.TestCase):
    def test_wait_exit_codes_are_what_velk_ends_with(self):
        runs = {  # a message of the table, and a command line that gives it, beside a run.bat
            "指定されたファイルが見つかりませんでした。": ["wait", "no-such-program.exe"],
            "指定されたファイルが見つかりません。": ["wait", "C:\\no-such-folder\\tool.exe"],
            "バッチファイルに渡せない文字 (\" % 改行) が引数にあります。": ["wait", "run.bat", "%PATH%"],
            "ストリーム名 (ファイル名の後の :) が付いたパスは起動しません。": ["wait", "run.bat::$DATA"],
            "invalid string position": ["wait", "x"],
            "デバイスの名前空間のパス (\\\\.\\) は起動しません。": ["wait", "\\\\.\\C:\\x.exe"],
        }
        folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, folder)
        with open(os.path.join(folder, "run.bat"), "w") as batch:
            batch.write("@echo %*\r\n")
        for path in GUIDES:
            codes = wait_codes(read_guide(path))
            for message, arguments in runs.items():
                result = subprocess.run([WINE_RUN, PROGRAMS["velk"], *arguments], stdin=subprocess.DEVNULL,
                                        capture_output=True, timeout=120, cwd=folder)
                self.assertTrue(result.stdout.startswith(message.encode("cp932")), (path, arguments))
                self.assertEqual(codes[message], str(result.returncode), (path, message))

    def test_guides_open_with_installing_on_windows(self):
        """An administrator reads first how to install on Windows; building
        comes after, and starts with its two commands."""
        for path in GUIDES:
            sections = re.split(r"^## ", read_guide(path), flags=re.M)[1:]
            self.assertIn("Windows", sections[0].splitlines()[0], path)
            build = next(section for section in sections if "bash scripts/build.sh" in section)
            self.assertEqual(["bash scripts/build.sh", "bash scripts/test.sh"],
                             re.findall(r"^    (bash scripts/\S+)$", build, re.M)[:2], path)

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
            # Numbers and names are put in at run time.
            for fragment in re.split(r"\d+|\bN\b|\bNAME\b", message):
                self.assertTrue(fragment.replace("\\", "\\\\").replace('"', '\\"') in sources, (message, fragment))

    def test_examples_name_a_program_that_velk_finds_as_typed(self):
        """velk adds no extension: an example's program has one, or is one of
        velk's words (which wait may come before)."""
        for path in GUIDES:
            commands = example_commands(read_guide(path))
            self.assertTrue(commands, path)
            for command in commands:
                words = command.split()[1:]
                if words and words[0] == "wait":
                    words = words[1:]
                if not words or words[0] in ("help", "su", "deleteindex"):
                    continue
                name = re.split(r"[\\/]", words[0].strip('"'))[-1]
                self.assertRegex(name, r"\.[A-Za-z0-9]+$", (path, command))


if __name__ == "__main__":
    unittest.main(verbosity=2)
