"""BFDH prediction and energy tables, against habitopia-cli predict and wulff."""

import pytest

import habitopia
from conftest import DATA

RUTILE = DATA / "rutile.cif"


def test_bfdh_of_rutile_from_its_cif(cli, tmp_path):
    crystal = habitopia.predict_bfdh(RUTILE)
    cli.run("predict", "--cif", RUTILE, "--hkl-max", 2, "--seed", 0, "-o", tmp_path / "r.mor")
    assert crystal.model_text() == (tmp_path / "r.mor").read_bytes()
    # P 42/m n m: 100 and 001 are absent (n glide, 4_2 screw); BFDH gives {110},
    # {101} and {111}, {110} the largest.
    assert {tuple(abs(int(v)) for v in row[:3]) for row in crystal.unique_faces} == {
        (1, 1, 0), (1, 0, 1), (1, 1, 1)}
    assert crystal.point_group_symbol == "4/mm"
    assert crystal.closed
    largest = max(crystal.faces, key=lambda f: f.area)
    assert sorted(abs(v) for v in largest.hkl) == [0, 1, 1] and largest.hkl[2] == 0


@pytest.mark.parametrize("options", [
    dict(hkl_max=3, higher_orders=False),
    dict(hkl_max=1),
    dict(cleanup=False),
])
def test_bfdh_from_cell_and_space_group(options, cli, tmp_path):
    cell = (7.1, 9.3, 5.2, 90, 104.5, 90)
    crystal = habitopia.predict_bfdh(cell=cell, space_group="P 21/c", **options)
    args = ["predict", "--cell", *cell, "--space-group", "P 21/c", "--seed", 0,
            "--hkl-max", options.get("hkl_max", 2), "-o", tmp_path / "m.mor"]
    if not options.get("higher_orders", True):
        args.append("--no-higher-orders")
    if not options.get("cleanup", True):
        args.append("--no-cleanup")
    cli.run(*args)
    assert crystal.model_text() == (tmp_path / "m.mor").read_bytes()


def test_bfdh_from_a_point_group_alone(cli, tmp_path):
    crystal = habitopia.predict_bfdh(cell=(4, 4, 6, 90, 90, 120), point_group="6/mmm")
    cli.run("predict", "--cell", 4, 4, 6, 90, 90, 120, "--group", "6/mmm", "--hkl-max", 2,
            "--seed", 0, "-o", tmp_path / "h.mor")
    assert crystal.model_text() == (tmp_path / "h.mor").read_bytes()


def test_wulff_from_a_table_file_and_a_dict(cli, tmp_path):
    table = DATA / "energies.txt"
    cell = (5.4, 5.4, 5.4, 90, 90, 90)
    from_file = habitopia.wulff(table, cell=cell, point_group="m-3m")
    from_dict = habitopia.wulff({(1, 0, 0): 1.2, (1, 1, 1): 0.9, (1, 1, 0): 1.1}, cell=cell,
                                point_group="m-3m")
    done = cli.run("wulff", "--cell", *cell, "--group", "m-3m", "--table", table, "-o",
                   tmp_path / "w.mor", "--descriptors", "--json")
    assert from_file.model_text() == (tmp_path / "w.mor").read_bytes()
    assert from_dict.model_text() == from_file.model_text()
    import json
    from test_exports import same_json
    same_json(from_file.descriptors(), json.loads(done.stdout))
    assert from_file.length_unit == "J/m^2 as lengths"
    assert from_dict.length_unit == "model units"


def test_growth_rates_by_space_group(cli, tmp_path):
    cell = (4.9, 4.9, 5.4, 90, 90, 120)
    crystal = habitopia.wulff("1 0 0 2\n0 0 1 3\n1 0 1 1.5\n", cell=cell,
                              space_group="P 32 2 1", kind="growth")
    (tmp_path / "t.txt").write_text("1 0 0 2\n0 0 1 3\n1 0 1 1.5\n")
    cli.run("wulff", "--cell", *cell, "--space-group", "P 32 2 1", "--kind", "growth",
            "--table", tmp_path / "t.txt", "-o", tmp_path / "g.mor")
    assert crystal.model_text() == (tmp_path / "g.mor").read_bytes()
