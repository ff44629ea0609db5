"""Structures from pymatgen and gemmi, meshes for trimesh (each skipped when missing)."""

import pytest

import habitopia
from conftest import DATA


def test_from_pymatgen_is_the_bfdh_of_its_space_group():
    pymatgen_core = pytest.importorskip("pymatgen.core")
    lattice = pymatgen_core.Lattice.tetragonal(4.5937, 2.9587)
    structure = pymatgen_core.Structure.from_spacegroup(
        "P4_2/mnm", lattice, ["Ti", "O"], [[0, 0, 0], [0.3048, 0.3048, 0]])
    crystal = habitopia.Crystal.from_pymatgen(structure)
    expected = habitopia.predict_bfdh(cell=(4.5937, 4.5937, 2.9587, 90, 90, 90),
                                      space_group="136")
    assert crystal.model_text() == expected.model_text()
    # The same cell and group as the CIF of the same structure states.
    assert crystal.unique_faces == habitopia.predict_bfdh(DATA / "rutile.cif").unique_faces


def test_from_pymatgen_with_faces_uses_its_point_group():
    pymatgen_core = pytest.importorskip("pymatgen.core")
    structure = pymatgen_core.Structure.from_spacegroup(
        "Fm-3m", pymatgen_core.Lattice.cubic(5.64), ["Na", "Cl"], [[0, 0, 0], [0.5, 0.5, 0.5]])
    crystal = habitopia.Crystal.from_pymatgen(structure, faces=[(1, 1, 1, 1.0), (1, 0, 0, 1.1)])
    assert crystal.point_group_symbol == "4/m3"
    assert len(crystal.faces) == 14 and crystal.closed


def test_volume_agrees_with_pymatgens_wulff_shape():
    pytest.importorskip("pymatgen.core")
    from pymatgen.analysis.wulff import WulffShape
    from pymatgen.core import Lattice
    energies = {(1, 0, 0): 1.0, (1, 1, 1): 0.85, (1, 1, 0): 1.05}
    crystal = habitopia.wulff(energies, cell=(4, 4, 4, 90, 90, 90), point_group="m-3m")
    shape = WulffShape(Lattice.cubic(4), list(energies), list(energies.values()))
    assert crystal.descriptors()["volume"] == pytest.approx(shape.volume, rel=1e-9)
    assert crystal.descriptors()["weighted_surface_energy"] == pytest.approx(
        shape.weighted_surface_energy, rel=1e-9)


def test_from_gemmi_reads_the_cif_as_predict_does():
    gemmi = pytest.importorskip("gemmi")
    small = gemmi.read_small_structure(str(DATA / "rutile.cif"))
    crystal = habitopia.Crystal.from_gemmi(small)
    assert crystal.unique_faces == habitopia.predict_bfdh(DATA / "rutile.cif").unique_faces


def test_to_trimesh():
    trimesh = pytest.importorskip("trimesh")
    crystal = habitopia.Crystal((5, 5, 5, 90, 90, 90), "m-3m", [(1, 0, 0, 1)], expand=True)
    mesh = crystal.to_trimesh()
    assert mesh.is_watertight
    assert mesh.volume == pytest.approx(crystal.volume, rel=1e-9)
