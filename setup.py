"""Builds the extension _habitopia with the project's CMake build (the module
target only, no tests, no window) and puts it into the package."""

import os
import pathlib
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        target = pathlib.Path(self.get_ext_fullpath(ext.name)).resolve()
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        configure = ["cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
                     "-DHABITOPIA_TESTS=OFF", "-DHABITOPIA_BENCH=OFF", "-DHABITOPIA_GUI=OFF",
                     "-DHABITOPIA_PYTHON=ON", f"-DPython3_EXECUTABLE={sys.executable}"]
        if subprocess.run(["ninja", "--version"], capture_output=True).returncode == 0:
            configure += ["-G", "Ninja"]
        subprocess.run(configure, check=True)
        subprocess.run(["cmake", "--build", str(build), "--target", "_habitopia", "--parallel",
                        str(os.cpu_count() or 1)], check=True)
        built = next((build / "python" / "habitopia").glob("_habitopia*.so"))
        target.parent.mkdir(parents=True, exist_ok=True)
        self.copy_file(str(built), str(target))


setup(ext_modules=[Extension("habitopia._habitopia", sources=[])],
      cmdclass={"build_ext": CMakeBuild})
