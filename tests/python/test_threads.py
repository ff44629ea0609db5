"""The engine runs without the GIL: a pool of threads gives what a loop gives."""

from concurrent.futures import ThreadPoolExecutor

import habitopia
from conftest import DATA


def job(i):
    """Predicts, builds and describes one crystal; everything that comes back."""
    cell = (4 + 0.1 * i, 5 + 0.07 * i, 6 - 0.05 * i, 90, 95 + i % 7, 90)
    predicted = habitopia.predict_bfdh(cell=cell, space_group="P 21/c", hkl_max=2)
    rutile = habitopia.predict_bfdh(DATA / "rutile.cif", hkl_max=1 + i % 3)
    built = habitopia.Crystal(cell, "2/m", [(1, 0, 0, 1 + 0.01 * i), (0, 1, 1, 1.3),
                                            (1, 1, 1, 1.4 + 0.02 * i)], expand=True)
    return [(c.model_text(), c.vertices.tobytes(), c.volume, c.surface, c.descriptors(),
             c.svg(), c.angle(0, 1)) for c in (predicted, rutile, built)]


def test_four_threads_give_the_loop_results():
    indices = list(range(24))
    looped = [job(i) for i in indices]
    with ThreadPoolExecutor(max_workers=4) as pool:
        pooled = list(pool.map(job, indices))
    assert pooled == looped
    assert len({r[0][0] for r in looped}) > 1  # the jobs differ


def test_threads_share_one_crystal(tmp_path):
    crystal = habitopia.Crystal((5, 5, 7, 90, 90, 90), "4/mmm", [(1, 0, 0, 1), (1, 0, 1, 1.2)],
                                expand=True)

    def write(i):
        path = tmp_path / f"c{i}.{['stl', 'wrz', 'glb', 'obj'][i % 4]}"
        crystal.write(path)
        return path.name, path.read_bytes(), crystal.descriptors()

    looped = [write(i) for i in range(16)]
    with ThreadPoolExecutor(max_workers=4) as pool:
        pooled = list(pool.map(write, range(16)))
    assert pooled == looped
