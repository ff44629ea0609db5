"""Shared fixtures: the command-line tool the module is checked against."""

import os
import pathlib
import subprocess

import pytest

SOURCE = pathlib.Path(os.environ.get("HABITOPIA_SOURCE_DIR",
                                     pathlib.Path(__file__).resolve().parents[2]))
DATA = pathlib.Path(__file__).resolve().parent / "data"
QUARTZ = SOURCE / "examples" / "Quartz.mor"


def cli_path():
    path = os.environ.get("HABITOPIA_CLI")
    if not path:
        pytest.skip("HABITOPIA_CLI names no habitopia-cli")
    return path


class Cli:
    """Runs habitopia-cli; `fails` returns the message of a refused command."""

    def __init__(self, path):
        self.path = path

    def run(self, *args, check=True):
        done = subprocess.run([self.path, *map(str, args)], capture_output=True, text=True)
        if check and done.returncode not in (0, 1):
            raise AssertionError(f"habitopia-cli {' '.join(map(str, args))}: {done.stderr}")
        return done

    def fails(self, *args):
        done = self.run(*args, check=False)
        assert done.returncode == 2, done.stdout + done.stderr
        last = done.stderr.strip().splitlines()[-1]
        assert last.startswith("habitopia-cli: "), last
        return last[len("habitopia-cli: "):]


@pytest.fixture(scope="session")
def cli():
    return Cli(cli_path())
