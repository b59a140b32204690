#!/usr/bin/env python3
"""The packages a user downloads: what the zip holds, and the MSI installed,
used and removed by Wine's msiexec in a fresh prefix of the test's own.

Environment: ZIP and MSI (the packages), PREFIX (made anew here),
PREFIX_SCRIPT (scripts/wineprefix.sh).
"""
import os
import subprocess
import unittest
import zipfile

ZIP = os.environ["ZIP"]
MSI = os.environ["MSI"]
PREFIX = os.environ["PREFIX"]
PREFIX_SCRIPT = os.environ["PREFIX_SCRIPT"]
MAX_PROGRAM_SIZE = 300 * 1024
SHORT_HELP = ("\r\nvelk.exe [実行ファイルの名前またはフルパス及びコマンドライン | help]\r\n"
              "help        : ヘルプを表示します。\r\n").encode("cp932")
ENVIRONMENT_KEY = r"HKLM\System\CurrentControlSet\Control\Session Manager\Environment"


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Zip(unittest.TestCase):
    def test_holds_the_programs_the_guides_and_the_licence(self):
        with zipfile.ZipFile(ZIP) as package:
            sizes = {entry.filename: entry.file_size for entry in package.infolist()}
        self.assertEqual(["LICENSE", "README.ja.md", "README.md", "tamrel.exe", "velk.exe"], sorted(sizes))
        for program in ("velk.exe", "tamrel.exe"):
            self.assertLessEqual(sizes[program], MAX_PROGRAM_SIZE, program)


class Msi(unittest.TestCase):
    def wine(self, *arguments):
        return subprocess.run(["wine", *arguments], env=self.env, cwd=self.drive_c, stdin=subprocess.DEVNULL,
                              capture_output=True, timeout=300)

    def system_path(self):
        return self.wine("reg", "query", ENVIRONMENT_KEY, "/v", "PATH").stdout.decode("cp932")

    def setUp(self):
        subprocess.run(["bash", PREFIX_SCRIPT, PREFIX], check=True, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ, WINEPREFIX=PREFIX, WINEDEBUG="-all", LC_ALL="ja_JP.UTF-8",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.drive_c = os.path.join(PREFIX, "drive_c")
        # Wine's server and services outlive this test's pipes, so they get none.
        for command in (["wineserver", "-p"], ["wine", "wineboot"]):
            subprocess.run(command, env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, check=True)

    def tearDown(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def test_install_use_and_remove(self):
        folder = os.path.join(self.drive_c, "Program Files", "velk")
        self.assertEqual(0, self.wine("msiexec", "/i", windows_path(MSI), "/qn").returncode)
        self.assertEqual(["LICENSE", "README.ja.md", "README.md", "tamrel.exe", "velk.exe"], sorted(os.listdir(folder)))
        self.assertIn(r"C:\Program Files\velk", self.system_path())

        # A new process that has only the system's PATH finds velk by name.
        run = self.wine("cmd", "/c", "velk.exe help")
        self.assertEqual((SHORT_HELP, 0), (run.stdout, run.returncode))

        self.assertEqual(0, self.wine("msiexec", "/x", windows_path(MSI), "/qn").returncode)
        self.assertFalse(os.path.exists(folder))
        self.assertNotIn("velk", self.system_path())


if __name__ == "__main__":
    unittest.main(verbosity=2)
