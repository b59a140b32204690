#!/usr/bin/env python3
"""The packages a user downloads: what the zip holds; an SBOM that
CycloneDX's own validator accepts and that tells the shipped files; notices
with every linked library's licence text; the same bytes again when the
source is built elsewhere, without .git, or from `git archive`; a signed
release that verifies and, signature removed, is the unsigned build; and the
MSI installed, used, upgraded and removed by Wine's msiexec in a fresh prefix
of the test's own.

Environment: SOURCE_DIR and BUILD_DIR (the build under test), PACKAGE (the
packages' name without extension), SOURCE_DATE_EPOCH (the date it used),
WORK_DIR (the test's own builds), PREFIX (made anew here), PREFIX_SCRIPT
(scripts/wineprefix.sh), NODE_PATH (CycloneDX's library and ajv).
"""
import functools
import hashlib
import html
import json
import os
import re
import shutil
import subprocess
import unittest
import zipfile

SOURCE_DIR = os.environ["SOURCE_DIR"]
BUILD_DIR = os.environ["BUILD_DIR"]
PACKAGE = os.environ["PACKAGE"]
EPOCH = os.environ["SOURCE_DATE_EPOCH"]
WORK_DIR = os.environ["WORK_DIR"]
ZIP = os.path.join(BUILD_DIR, PACKAGE + ".zip")
MSI = os.path.join(BUILD_DIR, PACKAGE + ".msi")
PREFIX = os.environ["PREFIX"]
PREFIX_SCRIPT = os.environ["PREFIX_SCRIPT"]
UPGRADE_VERSION = "9.9.9"
RELEASE_URL = "https://example.org/velk/v1.0.0"
SBOM = os.path.join(BUILD_DIR, PACKAGE + ".cdx.json")
OUTPUTS = ["bin/velk.exe", "bin/tamrel.exe", PACKAGE + ".zip", PACKAGE + ".msi", PACKAGE + ".cdx.json", "SHA256SUMS"]

def guide_pages():
    """The user's guides in the source (the READMEs and the pages of docs/
    and docs/ja/, not those for contributors), by the HTML page that the
    packages hold for each."""
    pages = ["README.md", "README.ja.md"]
    for folder in ("docs", "docs/ja"):
        pages += [folder + "/" + name for name in sorted(os.listdir(os.path.join(SOURCE_DIR, folder)))
                  if name.endswith(".md")]
    return {page[:-len(".md")] + ".html": page for page in pages}


GUIDES = guide_pages()
SHIPPED = sorted(["LICENSE", "THIRD-PARTY-NOTICES.txt", "tamrel.exe", "velk.exe", *GUIDES])
MAX_PROGRAM_SIZE = 300 * 1024
# What CMake and Ninja keep in any build folder, beside what packaging adds.
BUILD_SYSTEM_FILES = {"CMakeCache.txt", "CPackConfig.cmake", "CPackSourceConfig.cmake", "build.ninja",
                      "cmake_install.cmake", ".ninja_deps", ".ninja_log"}
ENVIRONMENT_KEY = r"HKLM\System\CurrentControlSet\Control\Session Manager\Environment"


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def read(path):
    with open(path, "rb") as file:
        return file.read()


def run(*command, **options):
    subprocess.run(command, check=True, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, **options)


@functools.lru_cache(maxsize=None)
def source_copy(version=None):
    """The source as an exported tree: no .git, in another folder; with
    version, the project's version changed to it."""
    copy = os.path.join(WORK_DIR, "source-" + (version or "same"))
    shutil.rmtree(copy, ignore_errors=True)
    build_name = os.path.relpath(BUILD_DIR, SOURCE_DIR).split(os.sep)[0]
    shutil.copytree(SOURCE_DIR, copy, ignore=lambda folder, names: [
        name for name in names if folder == SOURCE_DIR and name in (".git", build_name)])
    if version:
        lists = os.path.join(copy, "CMakeLists.txt")
        text = re.sub(r"(project\(velk VERSION )[0-9.]+", r"\g<1>" + version, read(lists).decode())
        with open(lists, "w") as file:
            file.write(text)
    return copy


def zip_members(path):
    with zipfile.ZipFile(path) as package:
        return {name: package.read(name) for name in package.namelist()}


def program_hashes(sbom_path):
    with open(sbom_path) as file:
        sbom = json.load(file)
    return {c["name"]: c["hashes"][0]["content"] for c in sbom["components"] if c["type"] == "application"}


def build_packages(source, build, *options, epoch=EPOCH):
    """Configures and builds the packages as a user would, at the date of the
    build under test, or at the date the source gives when epoch is None."""
    env = dict(os.environ, SOURCE_DATE_EPOCH=epoch or "")
    shutil.rmtree(build, ignore_errors=True)  # nothing from an earlier run
    run("cmake", "-S", source, "-B", build, "-G", "Ninja", "-DBUILD_TESTING=OFF",
        "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(source, "cmake", "mingw-w64-i686.cmake"), *options, env=env)
    run("cmake", "--build", build, "--target", "package", env=env)
    return build


@functools.lru_cache(maxsize=None)
def rebuild():
    """The packages built again from another folder without git: from what a
    release's source download is, git archive of the commit, which carries
    the commit time in place of .git; from a checkout with changes, which
    git archive would leave out, from a copy of the tree at the build's date."""
    changes = subprocess.run(["git", "status", "--porcelain"], cwd=SOURCE_DIR, capture_output=True, text=True)
    if changes.returncode != 0 or changes.stdout:
        return build_packages(source_copy(), os.path.join(WORK_DIR, "rebuild"))
    exported = os.path.join(WORK_DIR, "exported")
    shutil.rmtree(exported, ignore_errors=True)
    os.makedirs(exported)
    archive = subprocess.run(["git", "archive", "HEAD"], cwd=SOURCE_DIR, capture_output=True, check=True)
    subprocess.run(["tar", "-x", "-C", exported], input=archive.stdout, check=True)
    return build_packages(exported, os.path.join(WORK_DIR, "rebuild"), epoch=None)


@functools.lru_cache(maxsize=None)
def upgrade_build():
    return build_packages(source_copy(UPGRADE_VERSION), os.path.join(WORK_DIR, "upgrade"))


@functools.lru_cache(maxsize=None)
def signed_build():
    """A release signed with a throwaway CA's certificate, with manifests for
    RELEASE_URL; the build folder and the CA's certificate."""
    keys = os.path.join(WORK_DIR, "keys")
    os.makedirs(keys, exist_ok=True)
    ca, signer = os.path.join(keys, "ca"), os.path.join(keys, "signer")
    run("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=velk test CA", "-days", "2",
        "-keyout", ca + ".key", "-out", ca + ".pem", stderr=subprocess.DEVNULL)
    run("openssl", "req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=velk test signer",
        "-keyout", signer + ".key", "-out", signer + ".csr", stderr=subprocess.DEVNULL)
    with open(signer + ".ext", "w") as ext:
        ext.write("basicConstraints=CA:FALSE\nkeyUsage=digitalSignature\nextendedKeyUsage=codeSigning\n")
    run("openssl", "x509", "-req", "-in", signer + ".csr", "-CA", ca + ".pem", "-CAkey", ca + ".key",
        "-CAcreateserial", "-days", "2", "-extfile", signer + ".ext", "-out", signer + ".pem",
        stderr=subprocess.DEVNULL)
    build = build_packages(source_copy(), os.path.join(WORK_DIR, "signed"), "-DVELK_RELEASE_URL=" + RELEASE_URL,
                           "-DVELK_SIGN_CERTIFICATE=" + signer + ".pem", "-DVELK_SIGN_KEY=" + signer + ".key")
    return build, ca + ".pem"


class Reproducible(unittest.TestCase):
    def test_another_folder_without_git_gives_the_same_bytes(self):
        build = rebuild()
        for output in OUTPUTS:
            self.assertEqual(read(os.path.join(BUILD_DIR, output)), read(os.path.join(build, output)), output)
            for folder in (SOURCE_DIR, BUILD_DIR, build):
                for encoding in ("utf-8", "utf-16-le"):
                    self.assertNotIn(folder.encode(encoding), read(os.path.join(build, output)), (output, folder))
        run("sha256sum", "-c", "--quiet", "SHA256SUMS", cwd=BUILD_DIR)
        self.assertFalse(os.path.exists(os.path.join(BUILD_DIR, "manifests")), "manifests without a release URL")
        # Beside the packages: what ships, and SHA256SUMS; nothing names the folder.
        files = {name for name in os.listdir(build) if os.path.isfile(os.path.join(build, name))}
        self.assertEqual(sorted(OUTPUTS[2:] + ["THIRD-PARTY-NOTICES.txt"]), sorted(files - BUILD_SYSTEM_FILES))

    def test_signed_release(self):
        build, ca = signed_build()
        unpacked = os.path.join(WORK_DIR, "signed-unpacked")
        shutil.rmtree(unpacked, ignore_errors=True)
        with zipfile.ZipFile(os.path.join(build, PACKAGE + ".zip")) as package:
            package.extractall(unpacked)
        from_msi = os.path.join(WORK_DIR, "signed-msi")
        shutil.rmtree(from_msi, ignore_errors=True)
        os.makedirs(from_msi)
        run("msiextract", "-C", from_msi, os.path.join(build, PACKAGE + ".msi"))
        for program in ("velk.exe", "tamrel.exe"):
            signed = os.path.join(unpacked, program)
            run("osslsigncode", "verify", "-CAfile", ca, "-in", signed)
            installed = [os.path.join(root, name) for root, _, names in os.walk(from_msi) for name in names
                         if name == program]
            self.assertEqual([read(signed)], [read(path) for path in installed], program + " in the MSI")
            removed = os.path.join(WORK_DIR, "unsigned-" + program)
            if os.path.exists(removed):
                os.remove(removed)
            run("osslsigncode", "remove-signature", "-in", signed, "-out", removed)
            self.assertEqual(read(os.path.join(BUILD_DIR, "bin", program)), read(removed), program)
        run("osslsigncode", "verify", "-CAfile", ca, "-in", os.path.join(build, PACKAGE + ".msi"))
        run("sha256sum", "-c", "--quiet", "SHA256SUMS", cwd=build)
        # The SBOM tells the signed files, as shipped.
        self.assertEqual({p: hashlib.sha256(read(os.path.join(unpacked, p))).hexdigest() for p in ("velk.exe", "tamrel.exe")},
                         program_hashes(os.path.join(build, PACKAGE + ".cdx.json")))




def with_crlf(text):
    """The repository's LF text as Windows' editors read it."""
    return text.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


class Zip(unittest.TestCase):
    def test_holds_the_programs_the_guides_the_licence_and_the_notices(self):
        members = zip_members(ZIP)
        self.assertEqual(SHIPPED, sorted(members))
        for program in ("velk.exe", "tamrel.exe"):
            self.assertLessEqual(len(members[program]), MAX_PROGRAM_SIZE, program)
        # The texts with CR LF line ends, the notices too.
        self.assertEqual(with_crlf(read(os.path.join(SOURCE_DIR, "LICENSE"))), members["LICENSE"])
        self.assertEqual(members["THIRD-PARTY-NOTICES.txt"], with_crlf(members["THIRD-PARTY-NOTICES.txt"]))
        # Each guide's page whole, as HTML, without what is for contributors.
        for name, page in GUIDES.items():
            text = members[name].decode("utf-8")
            source = read(os.path.join(SOURCE_DIR, page)).decode("utf-8").split("<!-- contributors -->")[0]
            for heading in re.findall(r"^#+ (.+)$", re.sub(r"```.*?```", "", source, flags=re.S), re.M):
                self.assertIn(">%s</h" % html.escape(heading, quote=False), text, (name, heading))
            self.assertNotIn("bash scripts/", text, name)


class Sbom(unittest.TestCase):
    def test_valid_and_true_to_what_ships(self):
        validator = os.path.join(SOURCE_DIR, "tests", "validate_sbom.js")
        checked = subprocess.run(["node", validator, SBOM], capture_output=True, text=True)
        self.assertEqual(0, checked.returncode, checked.stdout + checked.stderr)
        members = zip_members(ZIP)
        self.assertEqual({p: hashlib.sha256(members[p]).hexdigest() for p in ("velk.exe", "tamrel.exe")},
                         program_hashes(SBOM))
        with open(SBOM) as file:
            sbom = json.load(file)
        libraries = {c["name"]: c for c in sbom["components"] if c["type"] == "library"}
        self.assertLessEqual({"libstdc++", "libgcc", "winpthreads", "MinGW-w64 CRT"}, set(libraries))
        depends = {d["ref"]: d["dependsOn"] for d in sbom["dependencies"]}
        self.assertEqual(sorted(libraries), sorted(depends["velk.exe"]))
        # Each library's licence and its package's full copyright text are in
        # the notices, as the package ships it.
        notices = members["THIRD-PARTY-NOTICES.txt"].decode("utf-8")
        for name, library in libraries.items():
            package, version = re.fullmatch(r"pkg:deb/debian/([^@]+)@(.+)", library["purl"]).groups()
            self.assertIn(f"{name} {version}\r\n  Licence: {library['licenses'][0]['expression']}\r\n", notices)
            copyright_text = read(f"/usr/share/doc/{package}/copyright").decode("utf-8").replace("\n", "\r\n")
            self.assertIn(copyright_text, notices, package)
        self.assertIn(read("/usr/share/common-licenses/GPL-3").decode("utf-8").replace("\n", "\r\n"), notices)
        # The converter that made the guides' pages, as installed.
        [formula] = sbom["formulation"]
        [converter] = formula["components"]
        version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "python3-markdown"], capture_output=True,
                                 text=True, check=True).stdout
        self.assertEqual(f"pkg:deb/debian/python3-markdown@{version}", converter["purl"])
        self.assertIn(f"{converter['name']} {version}\r\n", notices)


# What winget's 1.10.0 schemas define, of the fields a manifest of ours may hold.
WINGET_FIELDS = {
    "version": {"PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"},
    "installer": {"PackageIdentifier", "PackageVersion", "InstallerLocale", "Platform", "MinimumOSVersion",
                  "InstallerType", "Scope", "InstallModes", "InstallerSwitches", "InstallerSuccessCodes",
                  "UpgradeBehavior", "Commands", "ProductCode", "AppsAndFeaturesEntries", "ElevationRequirement",
                  "Installers", "ManifestType", "ManifestVersion"},
    "defaultLocale": {"PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PublisherUrl", "Author",
                      "PackageName", "PackageUrl", "License", "LicenseUrl", "Copyright", "ShortDescription",
                      "Description", "Moniker", "Tags", "ReleaseNotesUrl", "ManifestType", "ManifestVersion"},
}
WINGET_FIELDS["locale"] = WINGET_FIELDS["defaultLocale"] - {"Moniker"}
WINGET_INSTALLER_FIELDS = {"Architecture", "InstallerUrl", "InstallerSha256", "Scope", "ProductCode"}
WINGET_ENTRY_FIELDS = {"DisplayName", "Publisher", "DisplayVersion", "ProductCode", "UpgradeCode", "InstallerType"}
WINGET_NAME_PART = r"[^.\s\\/:*?\"<>|\x01-\x1f]{1,32}"


class Manifests(unittest.TestCase):
    def test_winget_and_scoop_tell_the_built_files(self):
        import yaml
        build, _ = signed_build()
        msi, zip_path = os.path.join(build, PACKAGE + ".msi"), os.path.join(build, PACKAGE + ".zip")
        table = subprocess.run(["msiinfo", "export", msi, "Property"], capture_output=True, text=True, check=True)
        properties = dict(line.split("\t", 1) for line in table.stdout.splitlines()[3:])
        folder = os.path.join(build, "manifests", "winget")
        names = {"version": "Orvane.velk.yaml", "installer": "Orvane.velk.installer.yaml",
                 "defaultLocale": "Orvane.velk.locale.en-US.yaml", "locale": "Orvane.velk.locale.ja-JP.yaml"}
        self.assertEqual(sorted(names.values()), sorted(os.listdir(folder)))
        manifests = {}
        for kind, name in names.items():
            text = read(os.path.join(folder, name)).decode("utf-8")
            self.assertEqual(f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.1.10.0.schema.json",
                             text.splitlines()[0], name)
            manifest = manifests[kind] = yaml.safe_load(text)
            self.assertLessEqual(set(manifest), WINGET_FIELDS[kind], name)
            self.assertEqual((kind, "1.10.0", "Orvane.velk", "1.0.0"),
                             (manifest["ManifestType"], manifest["ManifestVersion"], manifest["PackageIdentifier"],
                              manifest["PackageVersion"]), name)
            self.assertRegex(manifest["PackageIdentifier"], rf"^{WINGET_NAME_PART}(\.{WINGET_NAME_PART}){{1,7}}$")
            if kind in ("defaultLocale", "locale"):
                self.assertRegex(manifest["PackageLocale"], r"^([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*$")
                for field, low, high in (("Publisher", 2, 256), ("PackageName", 2, 256), ("License", 3, 512),
                                         ("ShortDescription", 3, 256)):
                    self.assertTrue(low <= len(manifest[field]) <= high, (name, field))
                self.assertEqual(("Orvane", "velk", "MIT", RELEASE_URL),
                                 (manifest["Publisher"], manifest["PackageName"], manifest["License"],
                                  manifest["PackageUrl"]), name)
        self.assertEqual("en-US", manifests["version"]["DefaultLocale"])
        self.assertEqual(("en-US", "ja-JP", "velk"), (manifests["defaultLocale"]["PackageLocale"],
                                                      manifests["locale"]["PackageLocale"],
                                                      manifests["defaultLocale"]["Moniker"]))
        installer = manifests["installer"]
        self.assertEqual(("msi", "machine", "install", ["velk", "tamrel"], properties["ProductCode"]),
                         (installer["InstallerType"], installer["Scope"], installer["UpgradeBehavior"],
                          installer["Commands"], installer["ProductCode"]))
        self.assertEqual([{"UpgradeCode": properties["UpgradeCode"]}], installer["AppsAndFeaturesEntries"])
        self.assertLessEqual(set(installer["AppsAndFeaturesEntries"][0]), WINGET_ENTRY_FIELDS)
        [entry] = installer["Installers"]
        self.assertLessEqual(set(entry), WINGET_INSTALLER_FIELDS)
        self.assertIn(entry["Architecture"], ("x86", "x64", "arm", "arm64", "neutral"))
        self.assertRegex(entry["InstallerSha256"], r"^[A-Fa-f0-9]{64}$")
        self.assertEqual(("x86", f"{RELEASE_URL}/{PACKAGE}.msi", hashlib.sha256(read(msi)).hexdigest().upper()),
                         (entry["Architecture"], entry["InstallerUrl"], entry["InstallerSha256"]))

        with open(os.path.join(build, "manifests", "scoop", "velk.json")) as file:
            scoop = json.load(file)
        self.assertLessEqual(set(scoop), {"version", "description", "homepage", "license", "url", "hash", "bin"})
        self.assertEqual({"version": "1.0.0", "homepage": RELEASE_URL, "license": "MIT",
                          "url": f"{RELEASE_URL}/{PACKAGE}.zip", "hash": hashlib.sha256(read(zip_path)).hexdigest(),
                          "bin": ["velk.exe", "tamrel.exe"]},
                         {key: value for key, value in scoop.items() if key != "description"})


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

    def path_entries(self):
        return re.search(r"PATH\s+REG_\w+\s+(.*)", self.system_path()).group(1).strip().split(";")

    def assert_index_rule_covers(self, folder):
        """The folder is on the PATH by velk's index rule (the entry is its
        very text, letter case aside): velk records nothing when it starts
        a program there by its full path."""
        self.assertIn(folder.upper(), [entry.upper() for entry in self.path_entries()])
        appdata = self.wine("cmd", "/c", "echo %AppData%").stdout.decode("cp932").strip()
        orvane = os.path.join(self.drive_c, *appdata[3:].split("\\"), "Orvane")
        os.makedirs(orvane, exist_ok=True)
        run = self.wine(folder + r"\velk.exe", "wait", folder + r"\tamrel.exe", "/?")
        self.assertEqual((b"", 0), (run.stdout, run.returncode), folder)
        self.assertEqual([], os.listdir(orvane), folder)
        os.rmdir(orvane)

    def test_install_use_upgrade_and_remove(self):
        newer = os.path.join(upgrade_build(), f"velk-{UPGRADE_VERSION}-win32.msi")
        folder = os.path.join(self.drive_c, "Program Files", "velk")
        self.assertEqual(0, self.wine("msiexec", "/i", windows_path(MSI), "/qn").returncode)
        installed = sorted(os.path.relpath(os.path.join(root, name), folder).replace(os.sep, "/")
                           for root, _, names in os.walk(folder) for name in names)
        self.assertEqual(SHIPPED, installed)
        for name in SHIPPED:
            self.assertEqual(zip_members(ZIP)[name], read(os.path.join(folder, name)), name)
        self.assert_index_rule_covers(r"C:\Program Files\velk")

        # A new process that has only the system's PATH finds velk by name,
        # and it prints the help that the build's velk.exe prints.
        by_name = self.wine("cmd", "/c", "velk.exe help")
        built = self.wine(windows_path(os.path.join(BUILD_DIR, "bin", "velk.exe")), "help")
        self.assertIn(b"velk.exe [wait]", built.stdout)
        self.assertEqual((built.stdout, 0), (by_name.stdout, by_name.returncode))

        # The newer version replaces the older one.
        self.assertEqual(0, self.wine("msiexec", "/i", windows_path(newer), "/qn").returncode)
        self.assertEqual(read(os.path.join(upgrade_build(), "bin", "velk.exe")), read(os.path.join(folder, "velk.exe")))
        self.assertEqual(1, self.system_path().count(r"C:\Program Files\velk"))

        self.assertEqual(0, self.wine("msiexec", "/x", windows_path(newer), "/qn").returncode)
        self.assertFalse(os.path.exists(folder))
        self.assertNotIn("velk", self.system_path())

        # A folder of the administrator's choosing, likewise.
        custom = r"C:\Tools\velk"
        self.assertEqual(0, self.wine("msiexec", "/i", windows_path(MSI), "/qn", "INSTALLDIR=" + custom).returncode)
        self.assert_index_rule_covers(custom)
        self.assertEqual(0, self.wine("msiexec", "/x", windows_path(MSI), "/qn").returncode)
        self.assertNotIn("velk", self.system_path())


if __name__ == "__main__":
    unittest.main(verbosity=2)
