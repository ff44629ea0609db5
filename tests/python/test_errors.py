"""Bad input: ValueError with habitopia-cli's message, and nothing written."""

import pytest

import habitopia
from conftest import DATA, QUARTZ

CUBE = ((5, 5, 5, 90, 90, 90), "m-3m", [(1, 0, 0, 1)])


@pytest.mark.parametrize("call, command", [
    (lambda: habitopia.Crystal(CUBE[0], "m-4x", CUBE[2]),
     ["predict", "--cell", 5, 5, 5, 90, 90, 90, "--group", "m-4x", "-o", "x.mor"]),
    (lambda: habitopia.Crystal(CUBE[0], 34, CUBE[2]),
     ["predict", "--cell", 5, 5, 5, 90, 90, 90, "--group-number", 34, "-o", "x.mor"]),
    (lambda: habitopia.Crystal((5, 5, 5, 90, 90, 250), 1, CUBE[2]),
     ["predict", "--cell", 5, 5, 5, 90, 90, 250, "--group", "1", "-o", "x.mor"]),
    (lambda: habitopia.Crystal((5, -5, 5, 90, 90, 90), 1, CUBE[2]),
     ["predict", "--cell", 5, -5, 5, 90, 90, 90, "--group", "1", "-o", "x.mor"]),
    (lambda: habitopia.predict_bfdh(cell=(5, 5, 5, 90, 90, 90), space_group="Q 99"),
     ["predict", "--cell", 5, 5, 5, 90, 90, 90, "--space-group", "Q 99", "-o", "x.mor"]),
    (lambda: habitopia.predict_bfdh(cell=(5, 5, 5, 90, 90, 90), space_group="P 21/c",
                                    point_group="m-3m"),
     ["predict", "--cell", 5, 5, 5, 90, 90, 90, "--space-group", "P 21/c", "--group", "m-3m",
      "-o", "x.mor"]),
    (lambda: habitopia.predict_bfdh(cell=(5, 5, 5, 90, 90, 90), point_group="m-3m", hkl_max=99),
     ["predict", "--cell", 5, 5, 5, 90, 90, 90, "--group", "m-3m", "--hkl-max", 99,
      "-o", "x.mor"]),
    (lambda: habitopia.predict_bfdh(cell=(5, 5, 5, 90, 90, 90), point_group="532"),
     ["predict", "--cell", 5, 5, 5, 90, 90, 90, "--group", "532", "-o", "x.mor"]),
    (lambda: habitopia.predict_bfdh(DATA / "missing.cif"),
     ["predict", "--cif", DATA / "missing.cif", "-o", "x.mor"]),
    (lambda: habitopia.predict_bfdh(DATA / "energies.txt"),
     ["predict", "--cif", DATA / "energies.txt", "-o", "x.mor"]),
    (lambda: habitopia.predict_bfdh(DATA / "rutile.cif", block="quartz"),
     ["predict", "--cif", DATA / "rutile.cif", "--block", "quartz", "-o", "x.mor"]),
    (lambda: habitopia.Crystal.read(DATA / "nothing.mor"), ["info", DATA / "nothing.mor"]),
    (lambda: habitopia.Crystal.read(QUARTZ).angle(0, 99), ["angle", QUARTZ, 0, 99]),
    (lambda: habitopia.wulff(DATA / "energies.txt", cell=(5, 5, 5, 90, 90, 90),
                             point_group="m-3m", kind="surface"),
     ["wulff", "--cell", 5, 5, 5, 90, 90, 90, "--group", "m-3m", "--table",
      DATA / "energies.txt", "--kind", "surface", "-o", "x.mor"]),
    (lambda: habitopia.wulff(DATA / "rutile.cif", cell=(5, 5, 5, 90, 90, 90), point_group="m-3m"),
     ["wulff", "--cell", 5, 5, 5, 90, 90, 90, "--group", "m-3m", "--table",
      DATA / "rutile.cif", "-o", "x.mor"]),
    (lambda: habitopia.wulff({(0, 0, 1): 1.0}, cell=(5, 5, 5, 90, 90, 90), point_group="4/mmm"),
     None),
])
def test_refused_with_the_clis_message(call, command, cli, tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    with pytest.raises(ValueError) as refused:
        call()
    if command is not None:
        message = cli.fails(*command)
        assert str(refused.value) == message
    assert list(tmp_path.iterdir()) == []


def test_open_shapes_are_refused_as_wulff_refuses_them(cli, tmp_path):
    (tmp_path / "t.txt").write_text("0 0 1 1.0\n")
    with pytest.raises(ValueError) as refused:
        habitopia.wulff(tmp_path / "t.txt", cell=(5, 5, 5, 90, 90, 90), point_group="4/mmm")
    message = cli.fails("wulff", "--cell", 5, 5, 5, 90, 90, 90, "--group", "4/mmm", "--table",
                        tmp_path / "t.txt", "-o", tmp_path / "x.mor")
    assert str(refused.value) == message
    assert "stays open" in message


@pytest.mark.parametrize("faces, message", [
    ([(0, 0, 0, 1)], "face 0 (0 0 0, distance 1) dropped: its indices are 0 0 0"),
    ([(1, 0, 0, 1), (0, 1, 0, -2)], "face 1 (0 1 0, distance -2) dropped: its distance is not "
                                    "above 0"),
    ([(1, 0, 0, float("nan"))], None),
    ([(1, 0, 0)], "faces: a list of (h, k, l, distance)"),
    ("1 0 0 1", "faces: a list of (h, k, l, distance)"),
    ([], "no faces given"),
])
def test_bad_faces(faces, message):
    with pytest.raises(ValueError) as refused:
        habitopia.Crystal(CUBE[0], CUBE[1], faces)
    if message:
        assert str(refused.value) == message


def test_writes_that_fail_leave_nothing(cli, tmp_path):
    crystal = habitopia.Crystal(*CUBE, expand=True)
    with pytest.raises(ValueError, match="unknown export format \".xyz\""):
        crystal.write(tmp_path / "cube.xyz")
    with pytest.raises(ValueError, match="only a scene"):
        crystal.write(tmp_path / "cube.stl", embed=True)
    crystal.write(tmp_path / "cube.mor")
    missing = tmp_path / "no" / "such" / "folder"
    for name in ("cube.stl", "cube.wrl", "cube.mor"):
        with pytest.raises(ValueError) as refused:
            crystal.write(missing / name)
        command = {"cube.stl": ["stl"], "cube.wrl": ["scene"], "cube.mor": ["expand"]}[name]
        assert str(refused.value) == cli.fails(command[0], tmp_path / "cube.mor", "-o",
                                               missing / name)
    assert sorted(p.name for p in tmp_path.iterdir()) == ["cube.mor"]


def test_an_open_crystal_refuses_angles_as_the_cli_does(cli, tmp_path):
    crystal = habitopia.Crystal((5, 5, 5, 90, 90, 90), "4/mmm", [(0, 0, 1, 1)], expand=True)
    assert not crystal.closed
    with pytest.raises(ValueError, match="^Hull is not closed$"):
        crystal.angle(0, 1)
    crystal.write(tmp_path / "open.mor")
    done = cli.run("angle", tmp_path / "open.mor", 0, 1)
    assert done.stderr.strip() == "habitopia-cli: Hull is not closed"


def test_a_cif_without_faces_is_no_crystal(cli, tmp_path):
    with pytest.raises(ValueError) as refused:
        habitopia.Crystal.read(DATA / "rutile.cif")
    # cif-import writes what it found and lists what is missing.
    done = cli.run("cif-import", DATA / "rutile.cif", "-o", tmp_path / "r.mor")
    assert done.returncode == 1
    missing = done.stdout.split("Information incomplete, please edit manually:\n")[1].split("\n")
    assert str(refused.value) == (f"{DATA / 'rutile.cif'}: Information incomplete, please edit "
                                  f"manually: {' '.join(m for m in missing if m)}")
