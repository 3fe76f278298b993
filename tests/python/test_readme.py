"""The usage example of the README runs and prints what it says."""

import pathlib
import re
import subprocess
import sys

README = pathlib.Path(__file__).resolve().parents[2] / "README.md"


def test_readme_usage_example():
    text = README.read_text(encoding="utf-8")
    match = re.search(r"<!-- usage -->\n```python\n(.*?)```\n\nprints\n\n```\n(.*?)```", text, re.S)
    assert match, "README has no usage example"
    code, expected = match.groups()
    result = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, check=True)
    assert result.stdout == expected
