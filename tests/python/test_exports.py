"""Crystals built here and written here, against habitopia-cli's files for the
same model file."""

import json
import pathlib

import numpy
import pytest

import habitopia
from conftest import QUARTZ

# The command that writes each kind of file from a model file.
COMMANDS = {
    "out.wrl": ["scene"],
    "out.wrz": ["scene", "--wrz"],
    "embedded.wrl": ["scene", "--embed"],
    "out.stl": ["stl"],
    "out.glb": ["export"],
    "out.obj": ["export"],
    "out.3mf": ["export"],
    "out.svg": ["drawing"],
    "out.cif": ["cif-export"],
}


def octahedron_with_cube():
    return habitopia.Crystal((5, 5, 5, 90, 90, 90), "m-3m", [(1, 1, 1, 1.0), (1, 0, 0, 1.2)],
                             expand=True, name="octa")


def hexagonal_prism():
    # Face table as given, no symmetry completion.
    faces = [(1, 0, 0, 1), (0, 1, 0, 1), (-1, 1, 0, 1), (-1, 0, 0, 1), (0, -1, 0, 1),
             (1, -1, 0, 1), (0, 0, 1, 1.5), (0, 0, -1, 1.5)]
    return habitopia.Crystal((3, 3, 4, 90, 90, 120), 6, faces, name="prism")


def twin_of_quartz():
    return habitopia.Crystal.read(QUARTZ).twin("inversion", centre=(0.5, 0, 0))


@pytest.mark.parametrize("make", [octahedron_with_cube, hexagonal_prism, twin_of_quartz,
                                  lambda: habitopia.Crystal.read(QUARTZ)])
def test_files_are_the_clis_bytes(make, cli, tmp_path):
    crystal = make()
    model = tmp_path / f"{crystal.name}.mor"
    crystal.write(model)
    assert model.read_bytes() == crystal.model_text()
    for name, command in COMMANDS.items():
        ours, theirs = tmp_path / "py", tmp_path / "cli"
        ours.mkdir(exist_ok=True)
        theirs.mkdir(exist_ok=True)
        crystal.write(ours / name, embed="--embed" in command)
        cli.run(command[0], model, "-o", theirs / name, *command[1:])
        for written in sorted(theirs.iterdir()):  # an OBJ comes with its MTL
            assert (ours / written.name).read_bytes() == written.read_bytes(), written.name
        assert sorted(p.name for p in ours.iterdir()) == sorted(p.name for p in theirs.iterdir())


def test_a_model_read_is_written_back_unchanged(tmp_path):
    crystal = habitopia.Crystal.read(QUARTZ)
    crystal.write(tmp_path / "Quartz.mor")
    assert (tmp_path / "Quartz.mor").read_bytes() == QUARTZ.read_bytes()


def test_scenes_carry_the_model_back(tmp_path):
    crystal = octahedron_with_cube()
    for name in ("octa.wrl", "octa.wrz"):
        crystal.write(tmp_path / name, embed=True)
        back = habitopia.Crystal.read(tmp_path / name)
        assert back.model_text() == crystal.model_text()
        assert back.volume == crystal.volume


def test_a_cif_written_reads_back(tmp_path):
    crystal = octahedron_with_cube()
    crystal.write(tmp_path / "octa.cif")
    back = habitopia.Crystal.read(tmp_path / "octa.cif")
    assert back.point_group == crystal.point_group
    assert back.unique_faces == crystal.unique_faces
    assert back.volume == pytest.approx(crystal.volume, rel=1e-12)


def info(cli, model, *flags):
    return json.loads(cli.run("info", model, "--json", *flags).stdout)


@pytest.mark.parametrize("make", [octahedron_with_cube, hexagonal_prism,
                                  lambda: habitopia.Crystal.read(QUARTZ)])
def test_properties_are_what_info_reports(make, cli, tmp_path):
    crystal = make()
    model = tmp_path / "model.mor"
    crystal.write(model)
    report = info(cli, model, "--descriptors")
    assert crystal.point_group == report["pointGroup"]["number"]
    assert crystal.closed == report["closed"]
    assert crystal.volume == pytest.approx(report["volume"], rel=1e-15)
    assert crystal.surface == pytest.approx(report["surface"], rel=1e-15)
    assert crystal.vertices.shape == (report["corners"], 3)
    expected = [[c["x"], c["y"], c["z"]] for c in report["sceneCorners"]]
    numpy.testing.assert_allclose(crystal.vertices, expected, rtol=1e-15, atol=1e-15)
    assert len(crystal.faces) == len(report["faceTable"])
    for face, row in zip(crystal.faces, report["faceTable"]):
        assert face.index == row["index"]
        assert face.hkl == (row["h"], row["k"], row["l"])
        assert face.distance == pytest.approx(row["d"], rel=1e-15)
        assert face.present == row["present"]
        assert len(face.vertices) == row["corners"]
        assert len(set(face.vertices)) == len(face.vertices)
        assert face.area == pytest.approx(row["area"], rel=1e-15, abs=1e-15)
    assert sum(f.present for f in crystal.faces) == report["faces"]
    same_json(crystal.descriptors(), report["descriptors"])


def same_json(ours, theirs):
    """Equal structure and keys; numbers to the last digit the JSON carries."""
    if isinstance(theirs, dict):
        assert list(ours) == list(theirs)
        return all(same_json(ours[k], theirs[k]) for k in theirs)
    if isinstance(theirs, list):
        assert len(ours) == len(theirs)
        return all(same_json(a, b) for a, b in zip(ours, theirs))
    if isinstance(theirs, float):
        assert ours == pytest.approx(theirs, rel=1e-15, abs=1e-15)
        return True
    assert ours == theirs
    return True


def test_face_polygons_lie_in_their_planes():
    crystal = octahedron_with_cube()
    v = crystal.vertices
    for face in crystal.faces:
        if not face.present:
            continue
        corners = v[list(face.vertices)]
        normal = numpy.cross(corners[1] - corners[0],
                                                     corners[2] - corners[0])
        for point in corners[3:]:
            assert abs(normal @ (point - corners[0])) < 1e-9


def test_energy_weighted_descriptors_as_info_energies(cli, tmp_path):
    crystal = octahedron_with_cube()
    crystal.write(tmp_path / "octa.mor")
    report = info(cli, tmp_path / "octa.mor", "--descriptors", "--energies")
    same_json(crystal.descriptors(energies=True), report["descriptors"])
    assert "weighted_surface_energy" not in crystal.descriptors()


def test_svg_is_the_drawing():
    crystal = octahedron_with_cube()
    assert crystal._repr_svg_() == crystal.svg()
    assert crystal.svg().lstrip().startswith("<")
