#!/usr/bin/python3
"""Differential check of `habitopia-cli predict --cif` over a folder of CIF files.

For every file the expected habit is built independently: gemmi reads the space
group (from the listed operations, else the Hall symbol, else the Hermann-Mauguin
symbol, else the number) and decides the systematic absences and the point-group
images; every form (an orbit of the point group, so the two ends of a polar axis
are two forms) with a member among the indices -N..N is ranked by its first order
1..6 allowed for all its members; scipy's half-space intersection gives the
crystal and its face areas. The surface fraction of every form is compared with
the fractions `habitopia-cli info --json` reports for the predicted model.

Each file gets one class:
  agree     forms and fractions match within the tolerance
  rounding  only the prediction's rounding of distances to 0.001 explains it
  slivers   the rest differ by less than the tolerance on planes touching the crystal
  geometry  the program's face planes give the expected habit in scipy, but the
            areas the program reports for them differ (polyhedron construction)
  wrong     anything else (the check fails)
  reader    the program read another space group, setting or cell than gemmi
  skipped   gemmi itself finds no cell or no space group

usage: bfdh_corpus_check.py CLI CORPUS_DIR WORK_DIR [--all] [--fail-on-geometry]
                            [--hkl-max N]... [FILE...]
By default one file per space-group setting (the first by name) is checked; --all
checks every file. Exit status 1 when any file is "wrong" (or, with
--fail-on-geometry or HABITOPIA_BFDH_FAIL_ON_GEOMETRY=1, "geometry").
"""

import json
import math
import os
import re
import subprocess
import sys
from fractions import Fraction
from itertools import product

import gemmi
import numpy as np
from scipy.spatial import ConvexHull, HalfspaceIntersection
from scipy.spatial import QhullError

TOLERANCE = 0.002   # surface fraction
TOUCH = 0.0015      # a plane this close (scaled units) to the crystal touches it
HIGHEST_ORDER = 6
ORDER = ["agree", "rounding", "slivers", "geometry", "reader", "skipped", "wrong"]


# --- reading the file with gemmi ---------------------------------------------

def first_value(block, tags):
    for tag in tags:
        v = block.find_value(tag)
        if v is not None and v not in ("?", "."):
            return gemmi.cif.as_string(v)
    return None


def cell_block(doc):
    for block in doc:
        if block.find_value("_cell_length_a") is not None:
            return block
    return None


def read_cell(block):
    tags = ["_cell_length_a", "_cell_length_b", "_cell_length_c",
            "_cell_angle_alpha", "_cell_angle_beta", "_cell_angle_gamma"]
    values = []
    for tag in tags:
        v = block.find_value(tag)
        if v is None:
            return None
        x = gemmi.cif.as_number(v)
        if math.isnan(x):
            return None
        values.append(x)
    return values


def read_space_group(block, cell):
    """The tabulated space group gemmi finds, and how it was found."""
    for tag in ("_space_group_symop_operation_xyz", "_symmetry_equiv_pos_as_xyz",
                "_space_group_symop.operation_xyz", "_symmetry_equiv.pos_as_xyz"):
        values = [gemmi.cif.as_string(v) for v in block.find_values(tag)]
        if values:
            try:
                sg = gemmi.find_spacegroup_by_ops(gemmi.GroupOps([gemmi.Op(v) for v in values]))
            except (RuntimeError, ValueError):
                sg = None
            if sg:
                return sg, "operations"
    hall = first_value(block, ["_space_group_name_Hall", "_symmetry_space_group_name_Hall"])
    if hall:
        try:
            sg = gemmi.find_spacegroup_by_ops(gemmi.symops_from_hall(hall))
        except (RuntimeError, ValueError):
            sg = None
        if sg:
            return sg, "Hall"
    hm = first_value(block, ["_space_group_name_H-M_alt", "_symmetry_space_group_name_H-M"])
    if hm:
        sg = gemmi.find_spacegroup_by_name(hm, cell[3], cell[5])
        if sg:
            return sg, "H-M"
    number = first_value(block, ["_space_group_IT_number", "_symmetry_Int_Tables_number"])
    if number and number.isdigit():
        sg = gemmi.find_spacegroup_by_number(int(number))
        if sg:
            return sg, "number"
    return None, None


def signature(group_ops):
    """What the prediction sees of a group: its rotations and its absences up to
    index 6 (a shift of the origin changes neither)."""
    rotations = frozenset(tuple(map(tuple, op.rot)) for op in group_ops.sym_ops)
    absent = frozenset(h for h in product(range(-6, 7), repeat=3)
                       if h != (0, 0, 0) and group_ops.is_systematically_absent(list(h)))
    return rotations, absent


# --- the program's answer ----------------------------------------------------

def run(args):
    p = subprocess.run(args, capture_output=True, text=True, timeout=600)
    return p.returncode, p.stdout, p.stderr


def parse_axes(text):
    """Columns: a', b', c' in units of a, b, c, from "a' = a - b, b' = a + b, c' = c"."""
    axes = np.zeros((3, 3), dtype=int)
    for j, part in enumerate(text.split(",")):
        expr = part.split("=")[1].replace(" ", "")
        for sign, count, name in re.findall(r"([+-]?)(\d*)([abc])", expr):
            axes["abc".index(name), j] += (-1 if sign == "-" else 1) * int(count or 1)
    return axes


def parse_predict(stdout):
    info = {"cell": None, "number": None, "hall": None, "axes": np.eye(3, dtype=int)}
    for line in stdout.splitlines():
        m = re.match(r"Point group (\d+) \(.*\), cell (.*)$", line)
        if m:
            info["cell"] = [float(x) for x in m.group(2).split()]
        m = re.match(r"Space group (.*?)(?: \(No\. (\d+)\))?, Hall (.*): absences", line)
        if m:
            info["number"] = int(m.group(2)) if m.group(2) else 0
            info["hall"] = m.group(3)
        m = re.match(r"Axes of the point group: (.*)$", line)
        if m:
            info["axes"] = parse_axes(m.group(1))
    return info


def parse_faces(json_text):
    data = json.loads(json_text)
    faces = []
    for f in data["faceTable"]:
        faces.append(((f["h"], f["k"], f["l"]), f.get("area", 0.0) if f.get("present") else 0.0,
                      f["d"]))
    return faces, data.get("surface", 0.0)


# --- the independent prediction ------------------------------------------------

def primitive(v):
    g = 0
    for x in v:
        g = math.gcd(g, int(x))
    return tuple(int(x) // g for x in v) if g else tuple(int(x) for x in v)


def basis(cell):
    """Columns: the cell's axes in Cartesian coordinates."""
    a, b, c, al, be, ga = cell
    al, be, ga = (math.radians(x) for x in (al, be, ga))
    cx = math.cos(be)
    cy = (math.cos(al) - math.cos(be) * math.cos(ga)) / math.sin(ga)
    cz = math.sqrt(max(0.0, 1 - cx * cx - cy * cy))
    return np.array([[a, b * math.cos(ga), c * cx],
                     [0, b * math.sin(ga), c * cy],
                     [0, 0, c * cz]])


class Symmetry:
    """Absences and point-group images on the program's axes (columns of `axes`
    in units of the setting's axes)."""

    def __init__(self, sg, axes):
        self.ops = sg.operations()
        self.axes = [[Fraction(int(x)) for x in row] for row in axes]
        self.inverse = self._inverse(self.axes)
        self.rotations = []
        seen = set()
        for op in self.ops.sym_ops:
            r = tuple(tuple(x // 24 for x in row) for row in op.rot)
            if r not in seen:
                seen.add(r)
                self.rotations.append(np.array(r))

    @staticmethod
    def _inverse(m):
        a = [row[:] + [Fraction(int(i == j)) for j in range(3)] for i, row in enumerate(m)]
        for c in range(3):
            p = next(r for r in range(c, 3) if a[r][c] != 0)
            a[c], a[p] = a[p], a[c]
            pivot = a[c][c]
            a[c] = [x / pivot for x in a[c]]
            for r in range(3):
                if r != c and a[r][c] != 0:
                    f = a[r][c]
                    a[r] = [x - f * y for x, y in zip(a[r], a[c])]
        return [row[3:] for row in a]

    def to_setting(self, h):
        return [sum(Fraction(h[i]) * self.inverse[i][j] for i in range(3)) for j in range(3)]

    def from_setting(self, h):
        return [sum(h[i] * self.axes[i][j] for i in range(3)) for j in range(3)]

    def absent(self, h):
        old = self.to_setting(h)
        if any(x.denominator != 1 for x in old):
            return True  # not a reflection of the setting's lattice
        return self.ops.is_systematically_absent([int(x) for x in old])

    def members(self, h):
        old = self.to_setting(h)
        out = []
        for r in self.rotations:
            image = [sum(old[i] * int(r[i][j]) for i in range(3)) for j in range(3)]
            new = self.from_setting(image)
            t = tuple(int(x) for x in new)
            if t not in out:
                out.append(t)
        return out


def expected_forms(sym, n_max):
    forms = []        # list of member lists
    form_of = {}      # member -> form index
    for h in product(range(-n_max, n_max + 1), repeat=3):
        if h == (0, 0, 0):
            continue
        p = primitive(h)
        if p in form_of:
            continue
        members = sym.members(p)
        for m in members:
            form_of[m] = len(forms)
        forms.append(members)
    orders = []
    for members in forms:
        n = 1
        while n < HIGHEST_ORDER and any(sym.absent([n * x for x in m]) for m in members):
            n += 1
        orders.append(n)
    return forms, form_of, orders


def crystal(normals, distances):
    """Face areas of the intersection of the half-spaces n . x <= d, and the
    crystal's extent along each normal."""
    halfspaces = np.hstack([normals, -np.asarray(distances)[:, None]])
    hs = HalfspaceIntersection(halfspaces, np.zeros(3))
    vertices = hs.intersections
    if not np.all(np.isfinite(vertices)):
        raise ValueError("unbounded")
    scale = max(distances)
    eps = 1e-7 * scale
    extent = vertices @ normals.T
    areas = np.zeros(len(distances))
    for i, d in enumerate(distances):
        on = vertices[np.abs(extent[:, i] - d) < eps]
        if len(on) < 3:
            continue
        n = normals[i]
        u = np.cross(n, [1, 0, 0] if abs(n[0]) < 0.9 else [0, 1, 0])
        u /= np.linalg.norm(u)
        w = np.cross(n, u)
        flat = np.column_stack([on @ u, on @ w])
        try:
            areas[i] = ConvexHull(flat).volume
        except QhullError:
            pass
    return areas, extent.max(axis=0)


class Reference:
    def __init__(self, sym, cell, n_max):
        self.forms, self.form_of, self.orders = expected_forms(sym, n_max)
        mean = (cell[0] + cell[1] + cell[2]) / 3
        normalised = [cell[0] / mean, cell[1] / mean, cell[2] / mean] + list(cell[3:])
        reciprocal = np.linalg.inv(basis(normalised)).T  # columns: a*, b*, c*
        self.reciprocal = reciprocal
        self.normals, self.exact, self.face_form = [], [], []
        for f, members in enumerate(self.forms):
            for m in members:
                g = reciprocal @ np.array(m, dtype=float)
                length = np.linalg.norm(g)
                self.normals.append(g / length)
                self.exact.append(self.orders[f] * length)
                self.face_form.append(f)
        self.normals = np.array(self.normals)
        self.exact = np.array(self.exact)
        self.rounded = np.round(self.exact, 3)

    def habit(self, rounded):
        distances = self.rounded if rounded else self.exact
        areas, extent = crystal(self.normals, distances)
        per_form = {}
        for a, f in zip(areas, self.face_form):
            per_form[f] = per_form.get(f, 0.0) + a
        total = areas.sum()
        fractions = {f: a / total for f, a in per_form.items()}
        touches = {}
        for f, d, e in zip(self.face_form, distances, extent):
            touches[f] = touches.get(f, False) or d - e <= TOUCH
        return fractions, touches


def program_fractions(ref, faces, surface):
    per_form = {}
    for hkl, area, _ in faces:
        p = primitive([round(x) for x in hkl])
        key = ref.form_of.get(p, "extra " + " ".join(map(str, p)))
        per_form[key] = per_form.get(key, 0.0) + area
    total = surface if surface > 0 else sum(per_form.values())
    return {k: a / total for k, a in per_form.items() if total > 0}


def compare(got, want):
    """Forms whose presence or fraction differs."""
    out = {}
    for key in set(got) | set(want):
        g, w = got.get(key, 0.0), want.get(key, 0.0)
        if (g > 1e-9) != (w > 1e-9) or abs(g - w) > TOLERANCE:
            out[key] = (g, w)
    return out


def classify_fractions(ref, got):
    """agree, rounding, slivers or wrong, with notes."""
    exact, touch_exact = ref.habit(False)
    off_exact = compare(got, exact)
    if not off_exact:
        return "agree", ""
    rounded, touch_rounded = ref.habit(True)
    off_rounded = compare(got, rounded)
    worst = "rounding"
    notes = []
    for key, (g, w) in sorted(off_exact.items(), key=lambda kv: str(kv[0])):
        name = key if isinstance(key, str) else "{" + " ".join(map(str, ref.forms[key][0])) + "}"
        if key not in off_rounded:
            kind = "rounding"
        elif (not isinstance(key, str) and max(g, w) < TOLERANCE
              and (touch_exact.get(key) or touch_rounded.get(key))):
            kind = "slivers"
        else:
            kind = "wrong"
        if ORDER.index(kind) > ORDER.index(worst):
            worst = kind
        notes.append(f"{name} {g:.4f} vs {w:.4f} ({kind})")
    return worst, "; ".join(notes)


def own_planes_fractions(ref, faces):
    """The surface fractions scipy finds for the program's own face planes."""
    normals, distances, keys = [], [], []
    for hkl, _, d in faces:
        p = primitive([round(x) for x in hkl])
        g = ref.reciprocal @ np.array(p, dtype=float)
        normals.append(g / np.linalg.norm(g))
        distances.append(d)
        keys.append(ref.form_of.get(p, "extra " + " ".join(map(str, p))))
    areas, _ = crystal(np.array(normals), distances)
    total = areas.sum()
    out = {}
    for a, k in zip(areas, keys):
        out[k] = out.get(k, 0.0) + a / total
    return out


def classify(ref, faces, surface):
    got = program_fractions(ref, faces, surface)
    kind, notes = classify_fractions(ref, got)
    if kind != "wrong":
        return kind, notes
    # The planes may be right and the crystal built from them wrong: that is a
    # fault of the polyhedron construction, not of the prediction.
    planes_kind, _ = classify_fractions(ref, own_planes_fractions(ref, faces))
    if planes_kind != "wrong":
        return "geometry", notes + f" (scipy on the program's own planes: {planes_kind})"
    return kind, notes


def constrained(cell, system):
    """The values the crystal system forces, as the program's cell box forces them."""
    a, b, c, al, be, ga = cell
    if system == "monoclinic":
        al = ga = 90.0
    elif system in ("orthorhombic", "tetragonal", "cubic"):
        al = be = ga = 90.0
    elif system in ("trigonal", "hexagonal"):
        al, be, ga = 90.0, 90.0, 120.0
    if system in ("tetragonal", "trigonal", "hexagonal", "cubic"):
        b = a
    if system == "cubic":
        c = a
    return [a, b, c, al, be, ga]


# --- one file ----------------------------------------------------------------

def check_file(cli, path, work, n_max):
    try:
        doc = gemmi.cif.read_file(path)
    except (RuntimeError, ValueError) as e:
        return "skipped", f"gemmi cannot read it: {e}".splitlines()[0]
    block = cell_block(doc)
    cell = read_cell(block) if block else None
    if not cell:
        return "skipped", "gemmi finds no cell"
    sg, source = read_space_group(block, cell)
    if not sg:
        return "skipped", "gemmi finds no space group"
    out = os.path.join(work, "predicted.mor")
    if os.path.exists(out):
        os.remove(out)
    rc, stdout, stderr = run([cli, "predict", "--cif", path, "-o", out, "--hkl-max", str(n_max),
                              "--seed", "1"])
    if rc == 2 or not os.path.exists(out):
        text = (stderr.strip() or stdout.strip()).splitlines()
        message = text[-1] if text else f"exit {rc}"
        kind = "wrong" if "prediction failed" in message or "clean-up failed" in message \
            else "reader"
        return kind, f"predict: {message} (gemmi: {sg.xhm()}, No. {sg.number})"
    info = parse_predict(stdout)
    if info["number"] is None:
        return "reader", f"no space group read (gemmi: {sg.xhm()} by {source})"
    # No. 0: a Hall symbol outside the program's table, judged by its operations.
    if info["number"] not in (0, sg.number):
        return "reader", f"space group No. {info['number']} read, gemmi: {sg.number} by {source}"
    try:
        theirs = signature(gemmi.symops_from_hall(info["hall"]))
    except (RuntimeError, ValueError):
        theirs = None
    if theirs != signature(sg.operations()):
        return "reader", f"setting {info['hall']} read, gemmi: {sg.hall} by {source}"
    axes = info["axes"]
    b = basis(cell) @ axes
    on_axes = [np.linalg.norm(b[:, i]) for i in range(3)]
    for i, j, k in ((1, 2, 0), (0, 2, 1), (0, 1, 2)):
        cosine = b[:, i] @ b[:, j] / (on_axes[i] * on_axes[j])
        on_axes.append(math.degrees(math.acos(max(-1.0, min(1.0, cosine)))))
    on_axes = constrained(on_axes, sg.crystal_system_str())
    program_cell = info["cell"]
    if program_cell is None:
        return "reader", "no cell printed"
    for x, y in zip(on_axes[:3], program_cell[:3]):
        if abs(x - y) > 0.002 * max(x, y):
            return "reader", f"cell {program_cell} read, gemmi: {[round(v, 4) for v in on_axes]}"
    for x, y in zip(on_axes[3:], program_cell[3:]):
        if abs(x - y) > 0.05:
            return "reader", f"cell {program_cell} read, gemmi: {[round(v, 4) for v in on_axes]}"

    rc, stdout, stderr = run([cli, "info", out, "--json"])
    if rc == 2:
        return "wrong", "info: " + stderr.strip()
    faces, surface = parse_faces(stdout)
    sym = Symmetry(sg, axes)
    try:
        ref = Reference(sym, program_cell, n_max)
        kind, notes = classify(ref, faces, surface)
    except (QhullError, ValueError) as e:
        return "wrong", f"no reference crystal: {e}".splitlines()[0]
    return kind, notes


def setting_key(path):
    try:
        doc = gemmi.cif.read_file(path)
    except (RuntimeError, ValueError):
        return None
    block = cell_block(doc)
    cell = read_cell(block) if block else None
    if not cell:
        return None
    sg, _ = read_space_group(block, cell)
    return (sg.number, sg.hall) if sg else None


def main(argv):
    args, n_values, every, files = [], [], False, []
    strict = os.environ.get("HABITOPIA_BFDH_FAIL_ON_GEOMETRY") == "1"
    i = 1
    while i < len(argv):
        if argv[i] == "--all":
            every = True
        elif argv[i] == "--fail-on-geometry":
            strict = True
        elif argv[i] == "--hkl-max":
            n_values.append(int(argv[i + 1]))
            i += 1
        else:
            args.append(argv[i])
        i += 1
    if len(args) < 3:
        print(__doc__)
        return 2
    cli, corpus, work = args[:3]
    files = args[3:]
    n_values = n_values or [2, 3]
    os.makedirs(work, exist_ok=True)
    if not files:
        folder = os.path.join(corpus, "files") if os.path.isdir(os.path.join(corpus, "files")) \
            else corpus
        names = sorted(f for f in os.listdir(folder) if f.lower().endswith(".cif"))
        chosen, seen = [], set()
        for name in names:
            path = os.path.join(folder, name)
            if not every:
                key = setting_key(path)
                if key is None or key in seen:
                    continue
                seen.add(key)
            chosen.append(path)
        files = chosen
    failed = False
    for n_max in n_values:
        counts = {k: 0 for k in ORDER}
        lines = []
        for path in files:
            kind, notes = check_file(cli, path, work, n_max)
            counts[kind] += 1
            if kind != "agree":
                lines.append(f"  {kind:8} {os.path.basename(path)}: {notes}")
        print(f"hkl-max {n_max}: {len(files)} files: " +
              ", ".join(f"{counts[k]} {k}" for k in ORDER))
        for line in sorted(lines, key=lambda l: (ORDER.index(l.split()[0]), l)):
            print(line)
        failed = failed or counts["wrong"] > 0 or (strict and counts["geometry"] > 0)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
