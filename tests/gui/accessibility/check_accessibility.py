#!/usr/bin/python3
"""The window driven through the desktop accessibility bus (AT-SPI), as a screen
reader or a voice-control tool drives it: controls are found by role and name,
switched through their accessibility actions, and read back from the tree.

Usage: check_accessibility.py HABITOPIA_PROGRAM [SCREENSHOT_DIRECTORY]
Runs inside dbus-run-session and xvfb-run (CTest starts it so); prints one line
per check and exits non-zero at the first failure.
"""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi

CONTROL_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_TOGGLE_BUTTON,
    pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_SLIDER,
    pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_SCROLL_BAR,
    pyatspi.ROLE_MENU_BAR,
    pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_CHECK_MENU_ITEM,
    pyatspi.ROLE_RADIO_MENU_ITEM,
    pyatspi.ROLE_TABLE,
    pyatspi.ROLE_LIST,
    pyatspi.ROLE_TREE,
    pyatspi.ROLE_PAGE_TAB,
    pyatspi.ROLE_TOOL_BAR,
    pyatspi.ROLE_SPLIT_PANE,
    pyatspi.ROLE_SEPARATOR,
}

VIEWER_NAME = "3D viewer"


class Failure(Exception):
    pass


def say(text):
    print(text, flush=True)


def check(condition, text):
    if not condition:
        raise Failure(text)
    say("ok: " + text)


def wait_for(what, probe, timeout=60.0, interval=0.25):
    end = time.monotonic() + timeout
    while True:
        try:
            found = probe()
        except Exception:  # the tree changes under us while the window builds
            found = None
        if found:
            return found
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(interval)


def state_of(node, state):
    return node.getState().contains(state)


def showing(node):
    return state_of(node, pyatspi.STATE_SHOWING)


def descendants(node, skip=lambda n: False):
    """Every node below `node`, depth first; `skip` prunes a subtree."""
    stack = [node]
    while stack:
        current = stack.pop()
        try:
            children = [current.getChildAtIndex(i) for i in range(current.childCount)]
        except Exception:
            continue
        for child in reversed(children):
            if child is None:
                continue
            yield child
            if not skip(child):
                stack.append(child)


def find(root, role, name, shown=True):
    for node in descendants(root):
        try:
            if node.getRole() == role and node.name == name and (not shown or showing(node)):
                return node
        except Exception:
            continue
    return None


def describe(root, depth=3):
    lines = []
    def walk(node, level):
        try:
            lines.append("  " * level + "%s '%s'%s" % (node.getRoleName(), node.name,
                                                       "" if showing(node) else " (hidden)"))
            if level < depth:
                for i in range(node.childCount):
                    walk(node.getChildAtIndex(i), level + 1)
        except Exception:
            pass
    walk(root, 0)
    return "\n".join(lines)


def find_required(root, role, name, timeout=20.0):
    try:
        return wait_for("%s '%s'" % (role, name), lambda: find(root, role, name), timeout)
    except Failure as failure:
        raise Failure("%s; below '%s':\n%s" % (failure, root.name, describe(root)))


def trigger_menu(frame, name):
    """Runs a menu command through its item's action, as a screen reader does."""
    item = wait_for("menu item '%s'" % name,
                    lambda: find(frame, pyatspi.ROLE_MENU_ITEM, name, shown=False), 20)
    action = item.queryAction()
    action.doAction(0)
    say("ok: menu command '%s' run through its action %s" % (name, action.getName(0)))


def do_action(node, action_name):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if action_name not in names:
        raise Failure("'%s' offers no action %s (it offers %s)" % (node.name, action_name, names))
    try:
        action.doAction(names.index(action_name))
    except Exception as error:  # the reply can be late while the window redraws
        say("note: action %s of '%s' answered late (%s); its effect is awaited"
            % (action_name, node.name, str(error).splitlines()[0]))


def status_texts(frame):
    bar = next(n for n in descendants(frame) if n.getRole() == pyatspi.ROLE_STATUS_BAR)
    return [bar.getChildAtIndex(i).name for i in range(bar.childCount)]


def screenshot(directory, name):
    if not directory:
        return
    path = os.path.join(directory, name + ".png")
    subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-f", "x11grab", "-i",
                    os.environ.get("DISPLAY", ":99"), "-frames:v", "1", path], check=False)
    say("screenshot: " + path)


def main_frame(program):
    def probe():
        desktop = pyatspi.Registry.getDesktop(0)
        for application in desktop:
            if application is None or application.name != "Habitopia":
                continue
            for child in application:
                if child is not None and child.getRole() == pyatspi.ROLE_FRAME \
                        and child.name.startswith("Habitopia") and showing(child) \
                        and find(child, pyatspi.ROLE_STATUS_BAR, "Status bar"):
                    return child
        return None
    if program.poll() is not None:
        raise Failure("the program ended at start (exit code %s)" % program.returncode)
    return wait_for("the main window on the accessibility bus", probe, timeout=120.0)


def wait_status(frame, wanted, timeout=60.0):
    def probe():
        texts = status_texts(frame)
        return texts if all(w in texts for w in wanted) else None
    try:
        return wait_for("status bar " + ", ".join(wanted), probe, timeout)
    except Failure:
        raise Failure("the status bar shows %s, not %s" % (status_texts(frame), wanted))


def run(program_path, shots):
    pyatspi.setTimeout(60000, 60000)
    work = tempfile.mkdtemp(prefix="habitopia-a11y-")
    environment = dict(os.environ)
    environment.update({
        "HABITOPIA_WORKDIR": os.path.join(work, "work"),
        "HOME": work,
        "XDG_DATA_HOME": os.path.join(work, "data"),
        "XDG_CONFIG_HOME": os.path.join(work, "config"),
        "HABITOPIA_UPDATE_URL": environment.get("HABITOPIA_UPDATE_URL", "http://127.0.0.1:9/"),
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        "QT_ACCESSIBILITY": "1",
    })
    program = subprocess.Popen([os.path.abspath(program_path)], env=environment, cwd=work)
    try:
        frame = main_frame(program)
        say("ok: main window '%s' on the accessibility bus" % frame.name)
        wait_status(frame, ["8 Faces", "12 Corners"])
        say("ok: the start model is drawn (8 Faces, 12 Corners)")
        screenshot(shots, "1-start")

        # A cubic point group through the menu and the "Point Groups" box.
        trigger_menu(frame, "Select Point Group Symmetry")
        cubic = find_required(frame, pyatspi.ROLE_RADIO_BUTTON, "4/m3")
        do_action(cubic, "Toggle")
        wait_for("4/m3 chosen", lambda: state_of(cubic, pyatspi.STATE_CHECKED), 10)
        do_action(find_required(frame, pyatspi.ROLE_PUSH_BUTTON, "ACCEPT"), "Press")
        wait_for("point group 4/m3 in the status bar",
                 lambda: "point group = 4/m3" in status_texts(frame), 30)
        say("ok: point group 4/m3 accepted through the accessibility actions")

        # The prediction box: F and "with high-" through their "Toggle" actions.
        trigger_menu(frame, "Morphology Prediction")
        bravais = find_required(frame, pyatspi.ROLE_PANEL, "Bravais type")
        centring_f = find_required(bravais, pyatspi.ROLE_RADIO_BUTTON, "F")
        centring_p = find_required(bravais, pyatspi.ROLE_RADIO_BUTTON, "P")
        check(state_of(centring_p, pyatspi.STATE_CHECKED), "P is the centring at start")
        do_action(centring_f, "Toggle")
        wait_for("F chosen", lambda: state_of(centring_f, pyatspi.STATE_CHECKED), 10)
        check(not state_of(centring_p, pyatspi.STATE_CHECKED),
              "toggling F makes it the one centring chosen (P no longer checked)")
        higher = find_required(frame, pyatspi.ROLE_CHECK_BOX, "with high-")
        check(state_of(higher, pyatspi.STATE_CHECKED), "'with high-' is checked at start")
        do_action(higher, "Toggle")
        wait_for("'with high-' unchecked",
                 lambda: not state_of(higher, pyatspi.STATE_CHECKED), 10)
        say("ok: 'with high-' switched off through Toggle")
        screenshot(shots, "2-prediction-box")
        do_action(find_required(frame, pyatspi.ROLE_PUSH_BUTTON, "Predict"), "Press")
        wait_status(frame, ["8 Faces", "6 Corners"], timeout=90)
        say("ok: the prediction drew the octahedron: status bar %s" % status_texts(frame))
        viewer = find_required(frame, pyatspi.ROLE_FILLER, VIEWER_NAME)
        wait_for("the viewer's description of the octahedron",
                 lambda: "8 faces" in viewer.description and "6 corners" in viewer.description,
                 30)
        say("ok: the 3D viewer is named '%s' and described as '%s'"
            % (viewer.name, viewer.description))
        screenshot(shots, "3-octahedron")

        # A Show switch through its action, read back from the program's mirrors.
        show = find_required(frame, pyatspi.ROLE_PANEL, "Show")
        axes = find_required(show, pyatspi.ROLE_CHECK_BOX, "crystal axes")
        mirror = find_required(frame, pyatspi.ROLE_CHECK_BOX, "Show crystallographic axes")
        before = state_of(axes, pyatspi.STATE_CHECKED)
        check(state_of(mirror, pyatspi.STATE_CHECKED) == before,
              "'crystal axes' and its toolbar button agree at start (%s)" % before)
        do_action(axes, "Toggle")
        wait_for("'crystal axes' switched",
                 lambda: state_of(axes, pyatspi.STATE_CHECKED) != before, 10)
        wait_for("the toolbar button following 'crystal axes'",
                 lambda: state_of(mirror, pyatspi.STATE_CHECKED) != before, 10)
        say("ok: toggling 'crystal axes' reached the program: its toolbar button now %s"
            % ("checked" if not before else "unchecked"))
        screenshot(shots, "4-axes")

        # Every control shown has a name; the viewer's web content is one control.
        unnamed = []
        counted = 0
        for node in descendants(frame, skip=lambda n: n.name == VIEWER_NAME):
            try:
                if node.getRole() not in CONTROL_ROLES or not showing(node):
                    continue
                counted += 1
                if not node.name.strip():
                    unnamed.append("%s under '%s'" % (node.getRoleName(), node.parent.name))
            except Exception:
                continue
        check(counted > 50 and not unnamed,
              "all %d shown controls have names%s" % (counted, "" if not unnamed else
                                                       ": unnamed " + "; ".join(unnamed)))
    finally:
        program.terminate()
        try:
            program.wait(20)
        except subprocess.TimeoutExpired:
            program.kill()


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    try:
        run(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "")
    except Failure as failure:
        print("FAILED: %s" % failure, flush=True)
        return 1
    print("accessibility checks passed", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
