"""The README's Python example runs as it is printed."""

import doctest
import re

from conftest import SOURCE


def test_readme_example(tmp_path, monkeypatch):
    text = (SOURCE / "README.md").read_text()
    blocks = re.findall(r"```pycon\n(.*?)```", text, re.S)
    assert blocks, "no pycon block in README.md"
    monkeypatch.chdir(tmp_path)
    parser = doctest.DocTestParser()
    test = parser.get_doctest("".join(blocks), {}, "README.md", "README.md", 0)
    assert len(test.examples) >= 8
    runner = doctest.DocTestRunner(optionflags=doctest.ELLIPSIS)
    runner.run(test)
    assert runner.failures == 0
    assert (tmp_path / "quartz.stl").read_text().startswith("solid")


def test_module_docstring_example():
    import habitopia
    results = doctest.testmod(habitopia, optionflags=doctest.ELLIPSIS)
    assert results.failed == 0 and results.attempted > 0
