"""Angles, twins and cleavage planes."""

import pytest

import habitopia
from conftest import QUARTZ


def cube():
    return habitopia.Crystal((5, 5, 5, 90, 90, 90), "m-3m", [(1, 0, 0, 1)], expand=True)


def test_angles_are_what_the_angle_command_prints(cli):
    quartz = habitopia.Crystal.read(QUARTZ)
    for f1, f2 in [(0, 1), (0, 5), (3, 3), (2, 10)]:
        printed = cli.run("angle", QUARTZ, f1, f2).stdout.splitlines()
        result = quartz.angle(f1, f2)
        assert result["caption"] == printed[2]
        if f1 != f2:
            assert result["edge_caption"] == printed[3]
        else:
            assert result["edge"] is None and len(printed) == 3


def test_cube_angles_and_edges():
    c = cube()
    faces = {f.hkl: f.index for f in c.faces}
    right = c.angle(faces[(1, 0, 0)], faces[(0, 1, 0)])
    assert right["degrees"] == pytest.approx(90)
    assert right["edge"] == pytest.approx(2, rel=1e-4)
    opposite = c.angle(faces[(1, 0, 0)], faces[(-1, 0, 0)])
    assert opposite["caption"] == "180 Degrees" and opposite["edge"] is None


def test_twins_double_the_exported_crystal(tmp_path):
    single = cube()
    twinned = single.twin("rotation", axis=(1, 1, 1), angle=60, through=(0, 0, 0))
    assert twinned.volume == single.volume  # the twin is a copy beside the crystal
    single.write(tmp_path / "single.stl")
    twinned.write(tmp_path / "twin.stl")
    facets = lambda p: p.read_text().count("facet normal")
    assert facets(tmp_path / "twin.stl") == 2 * facets(tmp_path / "single.stl")
    # Mirrored in its contact face: both copies leave the face they share out.
    contact = single.twin("contact", face="1 0 0")
    contact.write(tmp_path / "contact.stl")
    assert facets(tmp_path / "contact.stl") == 2 * (facets(tmp_path / "single.stl") - 2)
    with pytest.raises(ValueError):
        single.twin("mirror")
    with pytest.raises(ValueError):
        single.twin("contact")


def test_cleavage_planes_lie_through_the_crystal(cli, tmp_path):
    whole = cube()
    cut = whole.cleave((1, 0, 0), 0.5)
    # The plane is one more face, shown through the crystal; the crystal stays whole.
    assert len(cut.faces) == len(whole.faces) + 1
    assert cut.faces[-1].hkl == (1, 0, 0) and cut.faces[-1].present
    assert cut.volume == pytest.approx(whole.volume, rel=1e-6)
    assert whole.cleave((1, 0, 0), -0.5).faces[-1].hkl == (-1, 0, 0)
    # Cut again: the plane moves, no second plane.
    assert len(cut.cleave((0, 1, 0), 0.2).faces) == len(cut.faces)
    # The cut model reads back in the command-line tool with the same shape.
    cut.write(tmp_path / "cut.mor")
    import json
    report = json.loads(cli.run("info", tmp_path / "cut.mor", "--json").stdout)
    assert report["faces"] == sum(f.present for f in cut.faces)
    assert report["surface"] == pytest.approx(cut.surface, rel=1e-15)
    with pytest.raises(ValueError, match="^The cleavage plane 1 0 0 at 5 does not cut the "
                                         "crystal$"):
        whole.cleave((1, 0, 0), 5)
    with pytest.raises(ValueError, match="^cut face indices are not typed in correctly$"):
        whole.cleave((0, 0, 0), 0.5)
