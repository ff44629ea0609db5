"""Habitopia: crystal morphology from a cell, a point group and a face table.

The engine of habitopia-cli, for scripts and notebooks::

    >>> import habitopia
    >>> cube = habitopia.Crystal((5, 5, 5, 90, 90, 90), "m-3m", [(1, 0, 0, 1)], expand=True)
    >>> len(cube.faces), round(cube.volume, 3)
    (6, 8.0)

Bad input raises ValueError with habitopia-cli's message. The engine runs without
the GIL, so a thread pool over many crystals uses every core.
"""

from __future__ import annotations

import json
import os
from dataclasses import dataclass
from typing import Dict, Mapping, Optional, Sequence, Tuple, Union

from ._habitopia import Crystal, point_group_symbol
from . import _habitopia

__all__ = ["Crystal", "Face", "predict_bfdh", "wulff", "point_group_symbol"]

_TWIN_TYPES = {"contact": 1, "rotation": 2, "rotation-reciprocal": 3, "inversion": 4}


@dataclass(frozen=True)
class Face:
    """One face of the face table, as ``habitopia-cli info`` lists it.

    ``vertices`` are indices into :attr:`Crystal.vertices`, in the polygon's order.
    """

    index: int
    hkl: Tuple[float, float, float]
    distance: float
    present: bool
    area: float
    vertices: Tuple[int, ...]


def _faces(self: Crystal) -> list:
    return [
        Face(index, (h, k, l), distance, present, area, tuple(corners))
        for index, h, k, l, distance, present, area, corners in self._face_rows
    ]


def _descriptors(self: Crystal, energies: Optional[bool] = None) -> dict:
    """The shape descriptors, with the keys of ``habitopia-cli info --descriptors --json``.

    ``energies`` reads the central distances as surface energies (adds the
    energy-weighted figures); by default only a Wulff crystal is read so.
    """
    return json.loads(self._descriptors_json(energies))


def _twin(
    self: Crystal,
    kind: str,
    *,
    face: str = "",
    axis: Sequence[float] = (0, 0, 1),
    through: Sequence[float] = (0, 0, 0),
    angle: float = 0,
    centre: Sequence[float] = (0, 0, 0),
) -> Crystal:
    """The crystal with a twin, as the twin tool builds it and a model file keeps it.

    kind     "contact" (mirrored in the present face ``face``, e.g. "1 1 1"),
             "rotation" (``angle`` degrees about ``axis`` [u v w] through ``through``),
             "rotation-reciprocal" (the axis as a face normal h k l) or
             "inversion" (through ``centre``).
    Scenes, STL and the 3D exports then include the twin.
    """
    if kind not in _TWIN_TYPES:
        raise ValueError(f"twin kind {kind!r} is not one of {', '.join(_TWIN_TYPES)}")
    if kind == "contact" and not face:
        raise ValueError("a contact twin needs the contact face, e.g. face=\"1 1 1\"")
    return self._twin(_TWIN_TYPES[kind], face, axis, through, angle, centre)


def _repr_svg_(self: Crystal) -> str:
    return self.svg()


def _repr(self: Crystal) -> str:
    return (
        f"<habitopia.Crystal {self.name!r}: point group {self.point_group_symbol}, "
        f"{sum(f.present for f in self.faces)} faces, {len(self.vertices)} corners, "
        f"volume {self.volume:.6g}{'' if self.closed else ', not closed'}>"
    )


def _from_pymatgen(cls, structure, faces=None, hkl_max: int = 2, higher_orders: bool = True,
                   symprec: float = 0.01) -> Crystal:
    """The BFDH crystal of a pymatgen Structure (its conventional cell and space group).

    With ``faces`` ([(h, k, l, distance), ...]) those faces are used instead,
    completed by the structure's point group.
    """
    from pymatgen.symmetry.analyzer import SpacegroupAnalyzer

    analyzer = SpacegroupAnalyzer(structure, symprec=symprec)
    lattice = analyzer.get_conventional_standard_structure().lattice
    cell = (lattice.a, lattice.b, lattice.c, lattice.alpha, lattice.beta, lattice.gamma)
    number = analyzer.get_space_group_number()
    if faces is None:
        return predict_bfdh(cell=cell, space_group=str(number), hkl_max=hkl_max,
                            higher_orders=higher_orders)
    symbol = analyzer.get_point_group_symbol()
    return cls(cell, symbol, faces, expand=True)


def _from_gemmi(cls, small_structure, faces=None, hkl_max: int = 2,
                higher_orders: bool = True) -> Crystal:
    """The BFDH crystal of a gemmi.SmallStructure (its cell and space group);
    with ``faces`` those faces, completed by its point group."""
    cell_ = small_structure.cell
    cell = (cell_.a, cell_.b, cell_.c, cell_.alpha, cell_.beta, cell_.gamma)
    group = small_structure.find_spacegroup()
    if group is None:
        raise ValueError("the structure states no space group")
    if faces is None:
        return predict_bfdh(cell=cell, space_group=group.hall, hkl_max=hkl_max,
                            higher_orders=higher_orders)
    return cls(cell, group.point_group_hm(), faces, expand=True)


def _to_trimesh(self: Crystal):
    """The crystal as a trimesh.Trimesh (needs trimesh): the present faces fanned
    into triangles over :attr:`vertices`."""
    import trimesh

    triangles = []
    for face in self.faces:
        corners = face.vertices
        for i in range(1, len(corners) - 1):
            triangles.append((corners[0], corners[i], corners[i + 1]))
    return trimesh.Trimesh(vertices=self.vertices, faces=triangles, process=False)


Crystal.__module__ = __name__
Crystal.faces = property(_faces, doc="The face table after the calculation's clean-up, "
                                     "one Face per face (absent faces included).")
Crystal.descriptors = _descriptors
Crystal.twin = _twin
Crystal._repr_svg_ = _repr_svg_
Crystal.__repr__ = _repr
Crystal.from_pymatgen = classmethod(_from_pymatgen)
Crystal.from_gemmi = classmethod(_from_gemmi)
Crystal.to_trimesh = _to_trimesh


def predict_bfdh(
    cif: Optional[str] = None,
    *,
    cell: Optional[Sequence[float]] = None,
    space_group: Optional[str] = None,
    point_group: Union[str, int, None] = None,
    block: str = "",
    hkl_max: int = 2,
    higher_orders: bool = True,
    cleanup: bool = True,
    seed: int = 0,
) -> Crystal:
    """The morphology habitopia-cli predict predicts (BFDH: faces by interplanar spacing).

    From a CIF file (``cif``, data block ``block``; its cell and space group), or
    from ``cell`` and ``space_group`` (a number 1..230, a Hermann-Mauguin or a
    Hall symbol) or ``point_group``. ``hkl_max`` bounds the indices,
    ``higher_orders`` keeps the higher orders the absences allow, ``cleanup``
    keeps only the forms present on the crystal.
    """
    return _habitopia._predict_bfdh(
        "" if cif is None else os.fspath(cif), block, None if cell is None else tuple(cell), point_group,
        space_group or "", hkl_max, higher_orders, cleanup, seed)


def wulff(
    table: Union[str, Mapping[Tuple[int, int, int], float]],
    *,
    cell: Sequence[float],
    point_group: Union[str, int, None] = None,
    space_group: Optional[str] = None,
    kind: str = "energy",
    units: str = "",
) -> Crystal:
    """The crystal habitopia-cli wulff builds: central distances from one value per form.

    ``table`` is a table file, the table text ("h k l value" per line, "#" comments, "# units:
    J/m^2") or a dict {(h, k, l): value}. ``kind`` is "energy" (the Wulff shape),
    "growth" (growth rates) or "attachment" (attachment energies, by magnitude).
    """
    is_file = False
    if isinstance(table, Mapping):
        lines = []
        for hkl, value in table.items():
            if len(hkl) != 3:
                raise ValueError(f"table: {hkl!r} is not (h, k, l)")
            lines.append("%s %s %s %r" % (int(hkl[0]), int(hkl[1]), int(hkl[2]), float(value)))
        table = "\n".join(lines) + "\n"
    else:
        if isinstance(table, os.PathLike):
            table = os.fspath(table)
        is_file = "\n" not in table and os.path.isfile(table)
    return _habitopia._wulff(tuple(cell), point_group, space_group or "", table, is_file, kind,
                             units)
