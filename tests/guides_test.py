#!/usr/bin/env python3
"""The guides against the programs and each other. Both languages hold the
same pages (README.md and docs/ in English, README.ja.md and docs/ja/ in
Japanese) with the same sections and examples; every relative link
resolves; every example is marked with its shell and says which it is for;
each README is short, answers first and leaves building to its end. The
usage texts are what velk and tamrel print, byte for byte; the messages in
the tables are the programs' own, the same in both languages, and each
language's message tables say what every message means; the exit codes
given for velk wait are the ones velk ends with; every example command of
velk names its program as velk finds it, extension included. Rows between
<!-- pending --> and <!-- /pending --> are passed over: messages that the
programs do not print yet.

Environment: WINE_RUN (the Wine wrapper), VELK and TAMREL (the programs),
SOURCE_DIR.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

WINE_RUN = os.environ["WINE_RUN"]
PROGRAMS = {"velk": os.environ["VELK"], "tamrel": os.environ["TAMREL"]}
SOURCE_DIR = os.environ["SOURCE_DIR"]
LANGUAGES = ("en", "ja")
# The anchors that headings get, in the repository's view and in the HTML.
sys.path.insert(0, os.path.join(SOURCE_DIR, "release"))
sys.dont_write_bytecode = True
from write_guides import anchor  # noqa: E402
# A shell's name, as the paragraph before an example in it says it.
SHELLS = {"cmd": "cmd.exe", "bat": "cmd.exe", "powershell": "PowerShell", "bash": "bash"}


def read_text(path):
    with open(path, encoding="utf-8") as file:
        return file.read()


def read_page(page):
    """A page as the programs are held to it: without the rows for messages
    that the programs do not print yet (<!-- pending --> ... <!-- /pending -->)."""
    return re.sub(r"<!-- pending -->.*?<!-- /pending -->", "", read_text(os.path.join(SOURCE_DIR, page)), flags=re.S)


def pages(language):
    """A language's pages, README first, as paths from SOURCE_DIR."""
    readme, docs = ("README.md", "docs") if language == "en" else ("README.ja.md", os.path.join("docs", "ja"))
    found = []
    for folder, subfolders, names in os.walk(os.path.join(SOURCE_DIR, docs)):
        subfolders[:] = sorted(name for name in subfolders if language != "en" or folder != os.path.join(SOURCE_DIR, "docs") or name != "ja")
        found += [os.path.relpath(os.path.join(folder, name), SOURCE_DIR) for name in sorted(names) if name.endswith(".md")]
    return [readme] + found


def guide(language):
    """All of a language's pages, as one text."""
    return "\n".join(read_page(page) for page in pages(language))


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
            cells = [cell.strip().replace("\\|", "|") for cell in re.split(r"(?<!\\)\|", line.strip().strip("|"))]
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
    or more after a blank line), with the paragraph before it and its
    fence's shell (None for an indented block)."""
    lines = guide.splitlines()
    blocks, i = [], 0
    while i < len(lines):
        line, body, shell = lines[i], None, None
        if line.lstrip().startswith("```"):
            end = next(j for j in range(i + 1, len(lines)) if lines[j].lstrip().startswith("```")) + 1
            shell = line.strip()[3:]
            if shell != "text":
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
            blocks.append(("\n".join(paragraph), shell, "\n".join(body)))
        i = end
    return blocks


def example_commands(guide):
    """The lines of the guide's example blocks that start with velk:
    commands to copy. What a program prints (```text) and a transcript's
    prompt line (> ...) are not."""
    return [line.strip() for _, _, body in example_blocks(guide) for line in body.splitlines()
            if re.match(r"velk(\.exe)? ", line.strip())]


def sections(guide, level="## "):
    """Each section of a level: its heading, then its text."""
    return [(part.splitlines()[0], part) for part in re.split(r"^%s" % level, guide, flags=re.M)[1:]]


def outline(page):
    """A page's headings (level and text) and its examples' shells, in
    their order, fenced blocks' own lines aside."""
    found, fenced = [], False
    for line in read_page(page).splitlines():
        if line.startswith("```"):
            fenced = not fenced
            if fenced:
                found.append(("```", line[3:]))
        elif not fenced and re.match(r"#{1,6} ", line):
            level, text = line.split(" ", 1)
            found.append((level, text.strip()))
    return found


def language_pair(page):
    """The Japanese page for an English one."""
    return "README.ja.md" if page == "README.md" else os.path.join("docs", "ja", os.path.relpath(page, "docs"))


def velk_messages():
    """The texts that velk can print of its own: every string literal with
    Japanese in it of velk's and the shared sources, but the usage lines."""
    messages = set()
    for folder in ("common", "velk"):
        for name in sorted(os.listdir(os.path.join(SOURCE_DIR, folder))):
            if name.endswith(".cpp"):
                for text in literals(os.path.join(folder, name)):
                    if re.search(r"[\u3040-\u30ff\u4e00-\u9fff]", text) and not re.match(r"(velk\.exe|help|wait|deleteindex) ", text):
                        messages.add(text)
    return messages


def tamrel_literals():
    return [text for name in sorted(os.listdir(os.path.join(SOURCE_DIR, "tamrel"))) if name.endswith(".cpp")
            for text in literals(os.path.join("tamrel", name))]


def tamrel_messages():
    """The texts that tamrel prints of its own: its usage, and every string
    literal of its sources that ends a sentence."""
    return {text for text in tamrel_literals() if re.fullmatch(r"usage: .*|.*[a-z].*\.", text)}


def literals(source):
    """A source file's string literals, unescaped, a line end dropped, blanks
    around them stripped."""
    return [re.sub(r"\\(.)", lambda m: "" if m.group(1) == "n" else m.group(1), literal).strip()
            for literal in re.findall(r'"((?:[^"\\]|\\.)*)"', read_text(os.path.join(SOURCE_DIR, source)))]


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
        for language in LANGUAGES:
            codes = wait_codes(guide(language))
            for message, arguments in runs.items():
                result = subprocess.run([WINE_RUN, PROGRAMS["velk"], *arguments], stdin=subprocess.DEVNULL,
                                        capture_output=True, timeout=120, cwd=folder)
                self.assertTrue(result.stdout.startswith(message.encode("cp932")), (language, arguments))
                self.assertEqual(codes[message], str(result.returncode), (language, message))

    def test_readme_answers_first_and_leaves_building_to_the_end(self):
        """A short README per language: install, a quick start, the exit
        codes, the common problems, tamrel, the pages; building from source
        last, starting with its two commands."""
        orders = (["Install", "Quick start", "Exit codes", "When something goes wrong", "tamrel in brief",
                   "All pages", "Licence", "Building from source"],
                  ["インストール", "クイック スタート", "終了コード", "うまくいかないとき", "tamrel の概要",
                   "ページの一覧", "ライセンス", "ソースからビルドする"])
        for language, order in zip(LANGUAGES, orders):
            readme = read_page(pages(language)[0])
            self.assertLessEqual(len(readme.splitlines()), 200, language)
            self.assertEqual(order, [heading for heading, _ in sections(readme)], language)
            build = sections(readme)[-1][1]
            self.assertEqual(["bash scripts/build.sh", "bash scripts/test.sh"],
                             re.findall(r"^(bash scripts/\S+)$", build, re.M)[:2], language)

    def test_both_languages_hold_the_same_pages_and_sections(self):
        """The same pages, and in each the same headings' levels and the same
        examples' shells, in the same order."""
        english, japanese = pages("en"), pages("ja")
        self.assertEqual([language_pair(page) for page in english], japanese)
        for page in english:
            pair = [[kind if kind != "```" else (kind, text) for kind, text in outline(name)]
                    for name in (page, language_pair(page))]
            self.assertEqual(pair[0], pair[1], page)

    def test_every_relative_link_resolves(self):
        """To a file of the source, and to a heading of that page where it
        names one."""
        for page in pages("en") + pages("ja"):
            text = re.sub(r"```.*?```", "", read_text(os.path.join(SOURCE_DIR, page)), flags=re.S)
            for target in re.findall(r"\]\(([^)\s]+)\)", text):
                if re.match(r"[a-z]+:", target):
                    continue
                path, _, fragment = target.partition("#")
                linked = os.path.normpath(os.path.join(os.path.dirname(page), path)) if path else page
                self.assertTrue(os.path.isfile(os.path.join(SOURCE_DIR, linked)), (page, target))
                if fragment:
                    anchors = [anchor(text, "-") for level, text in outline(linked) if level != "```"]
                    self.assertIn(fragment, anchors, (page, target))

    def test_every_example_names_its_shell(self):
        """Each example is a fenced block marked with its shell, which the
        paragraph before it names; %NAME% is cmd.exe's and $name
        PowerShell's or bash's."""
        for language in LANGUAGES:
            for paragraph, shell, body in example_blocks(guide(language)):
                self.assertIn(shell, SHELLS, (language, body))
                self.assertIn(SHELLS[shell], paragraph, (language, body))
                if re.search(r"%[A-Za-z_]+%", body):
                    self.assertIn(shell, ("cmd", "bat"), (language, body))
                if re.search(r"\$[A-Za-z_({]", body):
                    self.assertIn(shell, ("powershell", "bash"), (language, body))

    def test_powershell_page(self):
        """How to start velk from PowerShell, read its exit code and pass a
        line as typed."""
        for language in LANGUAGES:
            page = read_page(pages(language)[pages("en").index(os.path.join("docs", "powershell.md"))])
            for needed in (".\\velk.exe", "$LASTEXITCODE", "--%", "$PSNativeCommandArgumentPassing", "cmd /c '"):
                self.assertIn(needed, page, (language, needed))

    def test_message_tables_say_what_each_message_means(self):
        """Every message that velk and tamrel print is in each language's
        message tables, with its meaning and what to do; every row is a
        message that they print."""
        messages = velk_messages() | tamrel_messages()
        literals_text = "".join(sorted(velk_messages()) + tamrel_literals()) + "invalid string position System Access Failure"
        for language in LANGUAGES:
            rows = [row for rows in tables(guide(language))
                    if rows[0] in (["Message", "Meaning", "What to do"], ["メッセージ", "意味", "対処方法"])
                    for row in rows[1:]]
            shown = [re.sub(r"<[^<>\s][^<>]*>", "NAME", re.findall(r"`([^`]+)`", row[0])[0]) for row in rows]
            self.assertTrue(all(row[1] and row[2] for row in rows), language)
            for message in messages:
                self.assertTrue(any(message in row.replace("NAME", "") or row.startswith(message) for row in shown),
                                (language, message))
            for row in shown:  # numbers and names are put in at run time
                for fragment in re.split(r"\d+|\bN\b|\bNAME\b", row):
                    self.assertIn(fragment.strip(), literals_text, (language, row))

    def test_usage_texts_are_what_the_programs_print(self):
        printed = {
            "velk help": output("velk", "help"),
            "velk usage": output("velk", "x").split(b"\r\n\r\n\r\n", 1)[1],
            "tamrel usage": output("tamrel"),
        }
        for language in LANGUAGES:
            for marker, text in printed.items():
                self.assertEqual(text, block(guide(language), marker), (language, marker))

    def test_table_messages_are_the_programs_own(self):
        english, japanese = (table_messages(guide(language)) for language in LANGUAGES)
        self.assertEqual(english, japanese)
        sources = ""
        for folder in ("common", "velk", "tamrel"):
            for name in sorted(os.listdir(os.path.join(SOURCE_DIR, folder))):
                if name.endswith(".cpp"):
                    sources += read_text(os.path.join(SOURCE_DIR, folder, name))
        for message in english:
            # Numbers and names are put in at run time.
            for fragment in re.split(r"\d+|\bN\b|\bNAME\b", message):
                self.assertTrue(fragment.replace("\\", "\\\\").replace('"', '\\"') in sources, (message, fragment))

    def test_examples_name_a_program_that_velk_finds_as_typed(self):
        """velk adds no extension: an example's program has one, or is one of
        velk's words (which wait may come before)."""
        for language in LANGUAGES:
            commands = example_commands(guide(language))
            self.assertTrue(commands, language)
            for command in commands:
                words = command.split()[1:]
                if words and words[0] == "--%":  # PowerShell's stop-parsing token
                    words = words[1:]
                if words and words[0] == "wait":
                    words = words[1:]
                if not words or words[0] in ("help", "su", "deleteindex", "/?"):
                    continue
                name = re.split(r"[\\/]", words[0].strip('"'))[-1]
                self.assertRegex(name, r"\.[A-Za-z0-9]+$", (language, command))


if __name__ == "__main__":
    unittest.main(verbosity=2)
