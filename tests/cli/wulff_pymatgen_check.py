"""habitopia-cli wulff --json against pymatgen's WulffShape on the same lattice and
surface energies, for holohedral cases (where pymatgen's lattice symmetry is the
crystal's point group).

    python3 wulff_pymatgen_check.py HABITOPIA_CLI WORKDIR
"""
import json
import subprocess
import sys

from pymatgen.analysis.wulff import WulffShape
from pymatgen.core.lattice import Lattice

CASES = [
    # name, cell, our point group, forms and energies (three decimals, as a model keeps them)
    ("fcc metal", (3.61, 3.61, 3.61, 90, 90, 90), "m-3m",
     [((1, 0, 0), 1.472), ((1, 1, 0), 1.563), ((1, 1, 1), 1.303)]),
    ("cubic cube-octahedron", (4.0, 4.0, 4.0, 90, 90, 90), "m-3m",
     [((1, 0, 0), 1.0), ((1, 1, 1), 1.15)]),
    ("hcp metal", (2.95, 2.95, 4.68, 90, 90, 120), "6/mmm",
     [((0, 0, 1), 1.12), ((1, 0, 0), 1.31), ((1, 0, 1), 1.27), ((1, 1, 0), 1.42)]),
    ("rutile-like", (4.594, 4.594, 2.959, 90, 90, 90), "4/mmm",
     [((1, 1, 0), 0.31), ((1, 0, 0), 0.396), ((1, 0, 1), 0.393), ((0, 0, 1), 0.514)]),
]

TOLERANCE = 1e-6


def main():
    cli, work = sys.argv[1], sys.argv[2]
    failures = 0
    for name, cell, group, forms in CASES:
        table = f"{work}/table.tsv"
        with open(table, "w") as out:
            out.write("# units: J/m^2\n")
            for hkl, energy in forms:
                out.write(f"{hkl[0]} {hkl[1]} {hkl[2]} {energy}\n")
        run = subprocess.run(
            [cli, "wulff", "--cell", *map(str, cell), "--group", group, "--table", table,
             "-o", f"{work}/wulff.mor", "--json"],
            capture_output=True, text=True)
        if run.returncode != 0:
            print(f"{name}: habitopia-cli failed: {run.stderr}")
            failures += 1
            continue
        ours = json.loads(run.stdout)
        shape = WulffShape(Lattice.from_parameters(*cell), [hkl for hkl, _ in forms],
                           [energy for _, energy in forms])
        fractions = {" ".join(map(str, hkl)): f for hkl, f in shape.area_fraction_dict.items()}
        theirs = {
            "volume": shape.volume,
            "surface": shape.surface_area,
            "weighted_surface_energy": shape.weighted_surface_energy,
            "anisotropy": shape.anisotropy,
            "shape_factor": shape.shape_factor,
            "effective_radius": shape.effective_radius,
        }
        compared = [(key, ours[key], value) for key, value in theirs.items()]
        for form in ours["forms"]:
            compared.append((f"area fraction {{{form['hkl']}}}", form["area_fraction"],
                             fractions[form["hkl"]]))
        for key, mine, reference in compared:
            scale = max(1.0, abs(reference))
            ok = abs(mine - reference) <= TOLERANCE * scale
            failures += not ok
            print(f"{name}: {key}: habitopia {mine:.12g} pymatgen {reference:.12g}"
                  f"{'' if ok else '  <-- differs'}")
    if failures:
        print(f"{failures} figures differ by more than {TOLERANCE}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
