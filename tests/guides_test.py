#!/usr/bin/env python3
"""The guides against the programs: the usage texts that README.md and
README.ja.md show are what velk and tamrel print, byte for byte; every
message in their tables is one that the programs' sources print, the same
in both guides; the exit codes that they give for velk wait are the ones
velk ends with; every example command of velk names its program as velk
finds it, extension included; every example that uses a shell's own syntax
says which shell it is for; the sections come in the order a newcomer reads
them; and the English guide says what each of velk's messages means.

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


def example_blocks(guide):
    """Each example block (fenced, not ```text; or indented by four spaces
    or more after a blank line), with the paragraph before it."""
    lines = guide.splitlines()
    blocks, i = [], 0
    while i < len(lines):
        line, body = lines[i], None
        if line.lstrip().startswith("```"):
            end = next(j for j in range(i + 1, len(lines)) if lines[j].lstrip().startswith("```")) + 1
            if line.strip()[3:] != "text":
                body = lines[i + 1:end - 1]
        elif line.startswith("    ") and line.strip() and i > 0 and not lines[i - 1].strip():
            end = i
            while end < len(lines) and (lines[end].startswith("    ") or not lines[end].strip()):
                end += 1
            body = lines[i:end]
        else:
            end = i + 1
        if body is not None:
            k = i - 1
            while k >= 0 and not lines[k].strip():
                k -= 1
            paragraph = []
            while k >= 0 and lines[k].strip() and not lines[k].lstrip().startswith("```"):
                paragraph.insert(0, lines[k])
                k -= 1
            blocks.append(("\n".join(paragraph), "\n".join(body)))
        i = end
    return blocks


def example_commands(guide):
    """The lines of the guide's example blocks that start with velk:
    commands to copy. What a program prints (```text) and a transcript's
    prompt line (> ...) are not."""
    return [line.strip() for _, body in example_blocks(guide) for line in body.splitlines()
            if re.match(r"velk(\.exe)? ", line.strip())]


def sections(guide, level="## "):
    """Each section of a level: its heading, then its text."""
    return [(part.splitlines()[0], part) for part in re.split(r"^%s" % level, guide, flags=re.M)[1:]]


def velk_messages():
    """The texts that velk can print of its own: every string literal with
    Japanese in it of velk's and the shared sources, but the usage lines."""
    messages = set()
    for folder in ("common", "velk"):
        for name in sorted(os.listdir(os.path.join(SOURCE_DIR, folder))):
            if name.endswith(".cpp"):
                for literal in re.findall(r'"((?:[^"\\]|\\.)*)"', read_guide(os.path.join(SOURCE_DIR, folder, name))):
                    text = re.sub(r"\\(.)", lambda m: "" if m.group(1) == "n" else m.group(1), literal).strip()
                    if re.search(r"[\u3040-\u30ff\u4e00-\u9fff]", text) and not re.match(r"(velk\.exe|help|wait|deleteindex) ", text):
                        messages.add(text)
    return messages


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

    def test_sections_come_in_the_order_a_newcomer_reads_them(self):
        """Installing on Windows, first use, velk and tamrel beside Windows'
        own tools, the reference parts, and building from source towards
        the end, starting with its two commands."""
        orders = (["Installing on Windows", "First use", "velk, tamrel and Windows' own tools",
                   "velk: start a program", "tamrel: set", "When something goes wrong", "Building from source"],
                  ["Windows へのインストール", "はじめて使う", "velk、tamrel と Windows 自身のツール",
                   "velk: プログラムを", "tamrel: ローカル", "うまくいかないとき", "ソースからビルドする"])
        for path, order in zip(GUIDES, orders):
            headings = [heading for heading, _ in sections(read_guide(path))]
            places = [next(i for i, heading in enumerate(headings) if heading.startswith(start)) for start in order]
            self.assertEqual(sorted(places), places, (path, headings))
            self.assertEqual([0, 1], places[:2], path)
            build = dict(sections(read_guide(path)))[headings[places[-1]]]
            self.assertEqual(["bash scripts/build.sh", "bash scripts/test.sh"],
                             re.findall(r"^    (bash scripts/\S+)$", build, re.M)[:2], path)

    def test_every_example_in_a_shells_own_syntax_names_the_shell(self):
        """%NAME% is cmd.exe's, $name PowerShell's (or bash's): the
        paragraph before such an example says which shell it is for."""
        for path in GUIDES:
            for paragraph, body in example_blocks(read_guide(path)):
                if re.search(r"%[A-Za-z_]+%|\$[A-Za-z_({]", body):
                    self.assertRegex(paragraph, r"cmd\.exe|PowerShell|bash", (path, body))

    def test_powershell_part(self):
        """How to start velk from PowerShell, read its exit code and pass a
        line as typed."""
        for path, heading in zip(GUIDES, ("From PowerShell", "PowerShell から使う")):
            part = dict(sections(read_guide(path), "### "))[heading]
            for needed in (".\\velk.exe", "$LASTEXITCODE", "--%", "$PSNativeCommandArgumentPassing"):
                self.assertIn(needed, part, (path, needed))

    def test_english_guide_says_what_each_velk_message_means(self):
        """Every message that velk prints is in the English guide's table,
        with its meaning and what to do; every row is a message velk prints."""
        guide = read_guide(GUIDES[0])
        [rows] = [rows for rows in tables(guide) if rows[0] == ["Message", "Meaning", "What to do"]]
        shown = [re.findall(r"`([^`]+)`", row[0])[0] for row in rows[1:]]
        self.assertTrue(all(row[1] and row[2] for row in rows[1:]))
        for message in velk_messages():
            self.assertTrue(any(message in row.replace("NAME", "") or row.startswith(message) for row in shown),
                            message)
        literals = "".join(sorted(velk_messages())) + "invalid string position System Access Failure"
        for row in shown:
            for fragment in re.split(r"\bN\b|\bNAME\b", row):
                self.assertIn(fragment.strip(), literals, row)

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
                if words and words[0] == "--%":  # PowerShell's stop-parsing token
                    words = words[1:]
                if words and words[0] == "wait":
                    words = words[1:]
                if not words or words[0] in ("help", "su", "deleteindex"):
                    continue
                name = re.split(r"[\\/]", words[0].strip('"'))[-1]
                self.assertRegex(name, r"\.[A-Za-z0-9]+$", (path, command))


if __name__ == "__main__":
    unittest.main(verbosity=2)
