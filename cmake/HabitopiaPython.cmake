# The Python module: on by default where Python 3 with its headers and pybind11
# are found. Debian's interpreter is preferred over one earlier on PATH (pyenv),
# since Debian's python3-pybind11, numpy and pymatgen belong to it.
if(NOT DEFINED Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python3_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "The Python the module is built for")
endif()
find_package(Python3 COMPONENTS Interpreter Development.Module QUIET)
set(habitopia_python_found OFF)
if(Python3_FOUND)
  find_package(pybind11 CONFIG QUIET)
  if(pybind11_FOUND)
    set(habitopia_python_found ON)
  endif()
endif()
# A module built with the sanitizers cannot be loaded by a Python without their
# runtime, so sanitizer and fuzz builds leave it out unless asked for.
if(HABITOPIA_SANITIZE OR HABITOPIA_FUZZ)
  set(habitopia_python_found OFF)
endif()
option(HABITOPIA_PYTHON "Build the Python module habitopia (needs Python 3 and pybind11)"
       ${habitopia_python_found})
if(HABITOPIA_PYTHON AND NOT (Python3_FOUND AND pybind11_FOUND))
  message(FATAL_ERROR "HABITOPIA_PYTHON needs Python 3 (with its headers) and pybind11 "
                      "(Debian: python3-dev pybind11-dev python3-pybind11)")
endif()
