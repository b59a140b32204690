#!/usr/bin/env python3
"""The programs in a console under Wine (code page 932), through a pseudo-terminal.

tamrel: reads the console's key events, so standard input is a raw pty; standard
output is a pipe, so what tamrel writes is compared byte for byte. In the test
prefix net.exe is the recorder, which writes down how it was started and ends
with the exit code in RECORDER_EXIT.

Screen: standard output on the console too, in the console code pages that
users meet; what the terminal shows is compared as text.

Environment: WINE_RUN (the Wine wrapper), TAMREL and VELK (the programs),
TYPIST (writes keys into the console's input queue), WORK_DIR.
"""
import fcntl
import os
import pty
import pwd
import re
import select
import shutil
import signal
import struct
import subprocess
import termios
import time
import tty
import unittest

WINE_RUN = os.environ["WINE_RUN"]
TAMREL = os.environ["TAMREL"]
VELK = os.environ["VELK"]
TYPIST = os.environ.get("TYPIST", "")
WORK_DIR = os.environ["WORK_DIR"]
LOG = os.path.join(WORK_DIR, "net-record.txt")
PROMPT_END = b"'s new password : "
UP_ARROW = b"\x1b[A"
NET = "C:\\Windows\\System32\\net.exe"


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Run:
    def __init__(self, output, status, record):
        self.output, self.status, self.record = output, status, record


def run_in_console(program, arguments, keys=None, net_exit=0, console=True, utf8=False, interrupt=None,
                   variables=None):
    """Starts a program, waits for tamrel's prompt when keys are given, types
    them. Without console, the program has no terminal at all: a password
    comes through a pipe. With utf8, the recorder's record is UTF-8, every
    character exact. interrupt sends what a terminal sends for Ctrl+C,
    SIGINT, which Wine delivers as a console event: "typing" once the keys
    are typed, "started" once the recorder has started and written down its
    record (it then waits, so the program is still waiting for it)."""
    os.makedirs(WORK_DIR, exist_ok=True)
    if os.path.exists(LOG):
        os.remove(LOG)
    env = dict(os.environ, RECORDER_LOG=windows_path(LOG), RECORDER_EXIT=str(net_exit))
    if utf8:
        env["RECORDER_UTF8"] = "1"
    if interrupt == "started":
        env["RECORDER_WAIT"] = "20000"
    env.update(variables or {})
    master, slave = pty.openpty()
    tty.setraw(slave)  # Enter arrives as 13, as from a Windows console
    terminal = slave if console else subprocess.PIPE
    process = subprocess.Popen([WINE_RUN, program] + arguments, stdin=terminal, stdout=subprocess.PIPE,
                               stderr=terminal, env=env, start_new_session=True)
    os.close(slave)
    output = b""
    try:
        deadline = time.time() + 60
        if keys is not None:
            # No key is typed before the whole prompt is on standard output.
            while PROMPT_END not in output and time.time() < deadline:
                if select.select([process.stdout], [], [], 1)[0]:
                    chunk = os.read(process.stdout.fileno(), 4096)
                    if not chunk:
                        break
                    output += chunk
            if PROMPT_END not in output:
                raise AssertionError(f"no prompt; output so far {output!r}")
            os.write(master, keys)
        if interrupt == "typing":
            time.sleep(1)  # the keys are read first
            os.killpg(process.pid, signal.SIGINT)
        elif interrupt == "started":
            while not os.path.exists(LOG) and time.time() < deadline:
                time.sleep(0.1)
            os.killpg(process.pid, signal.SIGINT)
        rest, _ = process.communicate(input=None if console else b"secret\r\n", timeout=90)
        output += rest
    finally:
        if process.poll() is None:
            process.kill()
        os.close(master)
    record = None
    if os.path.exists(LOG):
        with open(LOG, "rb") as notes:
            record = notes.read()
    return Run(output, process.returncode, record)


def run_tamrel(arguments, keys=None, **options):
    return run_in_console(TAMREL, arguments, keys, **options)


def record_for(command_line, *args):
    """The recorder's notes for net.exe started with this command line."""
    return (b'command line="' + NET.encode() + b'" ' + command_line
            + b"\ndirectory=C:\\Windows\\System32\n" + b"".join(b"argument=" + a + b"\n" for a in args))


def prompt(name):
    return b"enter " + name + PROMPT_END


def twice(keys):
    return keys + keys


def entered(name):
    """The output of both entries."""
    return prompt(name) + b"\r\nretype " + name + PROMPT_END + b"\r\n"


class Tamrel(unittest.TestCase):
    def test_usage(self):
        usage = b"usage: tamrel USERNAME\r\n"
        for arguments, output, status in (([], usage, 1), (["bob", "extra"], usage, 1), (["/?"], usage, 0),
                                          ([" "], b"user name is empty.\r\n", 1)):
            run = run_tamrel(arguments)
            self.assertEqual((output, status, None), (run.output, run.status, run.record), arguments)

    def test_typed_password_reaches_net_exe(self):
        run = run_tamrel(["bob"], twice(b"secret\r"))
        self.assertEqual(entered(b"bob"), run.output)
        self.assertEqual(0, run.status)
        self.assertEqual(record_for(b"user bob secret", b"user", b"bob", b"secret"), run.record)

    def test_spaces_and_quotes_arrive_as_one_argument_each(self):
        run = run_tamrel(["bob smith"], twice(b'p "w" d\\\r'))
        self.assertEqual(entered(b"bob smith"), run.output)
        self.assertEqual(0, run.status)
        self.assertEqual(record_for(b'user "bob smith" "p \\"w\\" d\\\\"', b"user", b"bob smith", b'p "w" d\\'),
                         run.record)

    def test_japanese_user_name(self):
        name = "管理者".encode("cp932")
        run = run_tamrel(["管理者"], twice(b"pw\r"))
        self.assertEqual(entered(name), run.output)
        self.assertEqual(record_for(b"user " + name + b" pw", b"user", name, b"pw"), run.record)

    def test_editing_keys(self):
        cases = [
            (b"ab\x08c\r", b"ac"),             # backspace removes the last character
            (b"a" + UP_ARROW + b"b\r", b"ab"),  # an arrow key enters nothing
        ]
        for keys, password in cases:
            run = run_tamrel(["bob"], twice(keys))
            self.assertEqual(0, run.status, keys)
            self.assertEqual(record_for(b"user bob " + password, b"user", b"bob", password), run.record, keys)

    def test_without_a_console_nothing_is_read_or_started(self):
        run = run_tamrel(["bob"], console=False)
        self.assertEqual((b"tamrel needs a console to read the password without echo.\r\n", 1, None),
                         (run.output, run.status, run.record))

    def test_what_cannot_be_set_starts_nothing(self):
        cancelled = b"cancelled; net.exe was not started, and the password was not changed.\r\n"
        for keys, output, interrupt in ((b"\r", prompt(b"bob") + b"\r\npassword is empty.\r\n", None),
                                        (b"secret\rsecreT\r", entered(b"bob") + b"passwords do not match.\r\n", None),
                                        (b"secret\r\r", entered(b"bob") + b"passwords do not match.\r\n", None),
                                        (b"sec", prompt(b"bob") + b"\r\n" + cancelled, "typing")):  # Ctrl+C as an event
            run = run_tamrel(["bob"], keys, interrupt=interrupt)
            self.assertEqual((output, 1, None), (run.output, run.status, run.record), keys)

    def test_ctrl_c_while_net_exe_runs_is_no_success(self):
        """net.exe (the recorder, set to end with 0 once it has waited) has
        started and not ended: tamrel ends with 1 and says that the password
        may still change."""
        run = run_tamrel(["bob"], twice(b"secret\r"), interrupt="started")
        self.assertEqual(entered(b"bob") + b"cancelled; net.exe was started and may still change the password.\r\n",
                         run.output)
        self.assertEqual(1, run.status)
        self.assertEqual(record_for(b"user bob secret", b"user", b"bob", b"secret"), run.record)

    def test_what_net_exe_would_take_as_an_option_is_refused(self):
        run = run_tamrel(["/delete"])
        self.assertEqual((b"user name must not begin with '/'.\r\n", 1, None),
                         (run.output, run.status, run.record))
        for keys in (b"/delete\r", b"*\r"):
            run = run_tamrel(["bob"], keys)
            self.assertEqual(prompt(b"bob") + b"\r\npassword must not begin with '/' or be '*'.\r\n", run.output)
            self.assertEqual(1, run.status)
            self.assertIsNone(run.record)

    def test_any_characters(self):
        """The very characters reach net.exe, never a look-alike (Muller for
        Müller), whatever the code page; the pipe shows ? for what CP932
        lacks. Past 14 characters (not bytes), /Y answers net.exe's
        question."""
        cases = [  # name, keys as the terminal sends them (UTF-8), what net.exe got after "user"
            ("M\u00fcller", "p\u00e91\r" * 2, ["M\u00fcller", "p\u00e91"]),
            ("bob", "パス\x081\r" * 2, ["bob", "パ1"]),  # Backspace takes the whole character
            ("bob", "abcdefghijklmn\r" * 2, ["bob", "abcdefghijklmn"]),
            ("bob", "abcdefghijklmno\r" * 2, ["bob", "abcdefghijklmno", "/Y"]),
            ("bob", "パスワードパスワ\r" * 2, ["bob", "パスワードパスワ"]),
        ]
        for name, keys, net_arguments in cases:
            run = run_tamrel([name], keys.encode(), utf8=True)
            self.assertEqual((entered(name.encode("cp932", "replace")), 0), (run.output, run.status), (name, keys))
            arguments = [a.encode() for a in net_arguments]
            self.assertEqual(record_for(b" ".join([b"user"] + arguments), b"user", *arguments), run.record,
                             (name, keys))

    def test_alt_and_the_numeric_keypad_type_into_the_password(self):
        """@ typed as Alt+64, through the console's input queue (a pty cannot
        send the keypad), is in the password, both times."""
        os.makedirs(WORK_DIR, exist_ok=True)
        if os.path.exists(LOG):
            os.remove(LOG)
        screen = run_on_screen(f"{windows_path(TYPIST)} p{{64}}1~p{{64}}1~ {windows_path(TAMREL)} bob",
                               variables={"RECORDER_LOG": windows_path(LOG)})
        self.assertEqual("enter bob's new password : \nretype bob's new password : \nexit 0\n", screen)
        with open(LOG, "rb") as notes:
            self.assertEqual(record_for(b"user bob p@1", b"user", b"bob", b"p@1"), notes.read())

    def test_failure_of_net_exe_is_reported(self):
        """With the usual cause where this computer has no local account of
        that name. Wine's netapi32 knows only the prefix's own user, by the
        name of the one running Wine."""
        me = pwd.getpwuid(os.getuid()).pw_name.encode()
        for name, cause in ((b"bob", b"this computer has no local account named bob.\r\n"), (me, b"")):
            run = run_tamrel([name.decode()], twice(b"secret\r"), net_exit=2)
            self.assertEqual(entered(name) + b"net.exe failed with exit code 2; the password was not changed.\r\n"
                             + cause, run.output, name)
            self.assertEqual(1, run.status, name)
            self.assertEqual(record_for(b"user " + name + b" secret", b"user", name, b"secret"), run.record, name)


def screen_text(raw):
    """What a terminal shows of Wine's console output, without its control
    sequences. Wine draws a run of spaces as a cursor move."""
    text = raw.decode("utf-8", "replace")
    text = re.sub(r"\x1b\[(\d*)C", lambda m: " " * int(m.group(1) or 1), text)
    text = re.sub(r"\x1b\[[0-9;?]*[A-Za-z]|\x1b\][^\x07]*\x07", "", text)
    return text.replace("\r", "")


def run_on_screen(command, keys=None, after=None, locale=None, variables=None):
    """Runs a command line in Wine's own cmd.exe with the console on a pty;
    types keys once the screen shows after. Returns the screen text. With
    locale, Wine is a system of that locale (C.UTF-8: English, code page
    1252)."""
    env = dict(os.environ, WINEDLLOVERRIDES="mscoree,mshtml=;cmd.exe=b;net.exe=n")
    if locale:
        env["WINE_LOCALE"] = locale
    env.update(variables or {})
    master, slave = pty.openpty()
    tty.setraw(slave)
    # A terminal wide enough that no line wraps, whatever folder the build is in.
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 50, 1000, 0, 0))
    process = subprocess.Popen([WINE_RUN, "cmd", "/c", command], stdin=slave, stdout=slave, stderr=slave,
                               env=env, start_new_session=True)
    os.close(slave)
    raw = b""
    try:
        deadline = time.time() + 90
        while time.time() < deadline:
            if keys is not None and after in screen_text(raw):
                os.write(master, keys)
                keys = None
            if not select.select([master], [], [], 0.5)[0]:
                if process.poll() is not None:
                    break
                continue
            try:
                chunk = os.read(master, 4096)
            except OSError:  # the terminal's last user has gone
                break
            if not chunk:
                break
            raw += chunk
        process.wait(timeout=30)
    finally:
        if process.poll() is None:
            process.kill()
        os.close(master)
    return screen_text(raw)


class Screen(unittest.TestCase):
    def test_japanese_reads_right_in_every_code_page_on_every_system(self):
        """A Japanese system (code page 932) and an English one (C.UTF-8:
        1252): the programs' own texts are CP932 all the same, a system text
        comes as Unicode, a name as the user gave it; on the English system a
        pipe holds the bytes of a Japanese one."""
        os.makedirs(WORK_DIR, exist_ok=True)
        bad = os.path.join(WORK_DIR, "bad.exe")
        with open(bad, "wb") as file:
            file.write(b"no program")
        velk, tamrel = windows_path(VELK), windows_path(TAMREL)
        japanese, english = ("ja_JP.UTF-8", ("932", "65001")), ("C.UTF-8", ("437", "65001", "932"))
        # velk's help as a Japanese system pipes it (its bytes are the e2e tests').
        help_text = subprocess.run([WINE_RUN, VELK, "help"], stdout=subprocess.PIPE, stdin=subprocess.DEVNULL,
                                   env=dict(os.environ, WINE_LOCALE="ja_JP.UTF-8")).stdout.decode("cp932")
        self.assertIn("velk.exe [wait]", help_text)
        cases = [  # systems, program, argument, keys, screen
            ((japanese, english), velk, "help", None, help_text.replace("\r\n", "\n")),
            ((japanese, english), velk, "no-such-program.exe", None, "指定されたファイルが見つかりませんでした。\n"),
            # Wine's English text for 193; Windows says "%1 is not a valid Win32 application."
            ((english,), velk, windows_path(bad), None, f"エラーコード : 193　Bad EXE format for {windows_path(bad)}.\n"),
            ((japanese,), tamrel, "山田", b"\r", "enter 山田's new password : \npassword is empty.\n"),
            ((english,), tamrel, "José", b"\r", "enter José's new password : \npassword is empty.\n"),
        ]
        for systems, program, argument, keys, expected in cases:
            for locale, code_pages in systems:
                for code_page in code_pages:
                    screen = run_on_screen(f"chcp {code_page} >nul & {program} {argument}", keys, "password : ", locale)
                    self.assertEqual(expected, screen, (locale, code_page, argument))
            if program == velk:
                piped = subprocess.run([WINE_RUN, VELK, argument], stdout=subprocess.PIPE, stdin=subprocess.DEVNULL,
                                       env=dict(os.environ, WINE_LOCALE="C.UTF-8")).stdout
                self.assertEqual(expected.replace("\n", "\r\n").encode("cp932"), piped, argument)


class Velk(unittest.TestCase):
    def test_ctrl_c_while_velk_waits_is_no_success(self):
        """Under wait, the started program (the recorder, set to end with 0)
        still running: velk says so and ends with STATUS_CONTROL_C_EXIT, of
        which a Linux exit status holds the low byte, 0x3A."""
        recorder = windows_path(os.path.join(os.path.dirname(VELK), "recorder.exe"))
        run = run_in_console(VELK, ["wait", recorder], interrupt="started")
        self.assertEqual("待機を中断しました。起動したプログラムはまだ実行中の可能性があります。\r\n".encode("cp932"),
                         run.output)
        self.assertEqual(0xC000013A & 0xFF, run.status)
        self.assertIsNotNone(run.record)


class AnyName(unittest.TestCase):
    def test_started_exactly_on_every_system(self):
        """A program under Café and one under 𠮷田 (a character beyond 16
        bits), started by full path with arguments that neither code page
        holds, on a Japanese and an English system: the Unicode stand-in
        writes down (in UTF-8) exactly what it was given."""
        recorder = os.path.join(os.path.dirname(VELK), "recorder.exe")
        log = os.path.join(WORK_DIR, "any-name.txt")
        arguments = "M\u00fcller \U0001F600 ツール"
        for locale in ("ja_JP.UTF-8", "C.UTF-8"):
            for folder in ("Caf\u00e9", os.path.join("\U00020BB7田", "Downloads")):
                tool = os.path.join(WORK_DIR, "any-name", folder, "tool.exe")
                os.makedirs(os.path.dirname(tool), exist_ok=True)
                shutil.copy(recorder, tool)
                if os.path.exists(log):
                    os.remove(log)
                env = dict(os.environ, WINE_LOCALE=locale, RECORDER_LOG=windows_path(log), RECORDER_UTF8="1")
                run = subprocess.run([WINE_RUN, VELK, "wait", windows_path(tool)] + arguments.split(),
                                     stdout=subprocess.PIPE, stdin=subprocess.DEVNULL, env=env, timeout=120)
                self.assertEqual((b"", 0), (run.stdout, run.returncode), (locale, folder))
                with open(log, "rb") as notes:
                    record = notes.read().decode("utf-8")
                expected = (f'command line="{windows_path(tool)}" {arguments}\n'
                            f"directory={windows_path(os.path.dirname(tool))}\n"
                            + "".join(f"argument={a}\n" for a in arguments.split()))
                self.assertEqual(expected, record, (locale, folder))


if __name__ == "__main__":
    unittest.main(verbosity=2)
