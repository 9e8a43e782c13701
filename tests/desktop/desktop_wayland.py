#!/usr/bin/python3
"""The built program natively on Wayland: a headless sway at output scale 1, then at 2.

There is no input device on a headless compositor, so the program is driven through the
accessibility tree (actions on its controls and menu items); what it shows is read from
screenshots of the output (grim), and the window's place from the compositor (swaymsg).
At scale 2 the picture must be the picture at scale 1, only sharper: the stone, lines,
points and the frame-rate label take the same share of the view.

sway refuses to run as root. Run as root, the stage makes (once) the unprivileged user
lapido-test and runs itself again as that user, with runuser; everything it starts then
(sway, the buses, the program, grim) runs as that user in a private runtime directory.

    desktop_wayland.py PATH-TO-LAPIDO
"""

import json
import os
import pwd
import shutil
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.dont_write_bytecode = True  # nothing written into the source tree
import desktop as D  # noqa: E402
import pixels as P  # noqa: E402

STAGE = "desktop_wayland"
TEST_USER = "lapido-test"
OUTPUT = "HEADLESS-1"
# The output's size in logical pixels, the same at both scales.
LOGICAL_SIZE = (1024, 800)
# How far the share of the view a feature takes at scale 2 may stray from scale 1's.
SHARE_TOLERANCE = 0.12
# The whole stage as the test user, set-up included.
STAGE_TIMEOUT = 170

SWAY_CONFIG = """\
output {output} mode {width}x{height} scale 1
default_border none
default_floating_border none
for_window [app_id=".*"] floating enable
focus_follows_mouse no
xwayland disable
"""


# --------------------------------------------------------------------------------------
# Running as the test user


def ensure_test_user():
    try:
        return pwd.getpwnam(TEST_USER)
    except KeyError:
        pass
    result = subprocess.run(["useradd", "--system", "--no-create-home", "--home-dir",
                             "/nonexistent", "--shell", "/usr/sbin/nologin", TEST_USER],
                            capture_output=True, text=True)
    try:  # another run may have made it meanwhile (useradd then fails with 9)
        return pwd.getpwnam(TEST_USER)
    except KeyError:
        raise D.SetupError(f"cannot make the user {TEST_USER}: {result.stderr.strip()}")


# This stage and the modules it imports, as the test user runs them.
SCRIPTS = ("desktop_wayland.py", "desktop.py", "pixels.py")


def run_as_test_user(exe):
    """Runs this stage again as the test user; its status, its screenshots copied out."""
    D.require_programs("runuser", "useradd")
    user = ensure_test_user()
    work = tempfile.mkdtemp(prefix="lapido-wayland-")
    proc = None
    try:
        # The user may reach neither the build tree nor the sources (a clone in a folder of
        # root's own): the program and these scripts are copied into the user's folder.
        copy = os.path.join(work, "lapido")
        shutil.copy2(exe, copy)
        here = os.path.dirname(os.path.abspath(__file__))
        scripts = [os.path.join(work, name) for name in SCRIPTS]
        for name, target in zip(SCRIPTS, scripts):
            shutil.copy2(os.path.join(here, name), target)
        os.makedirs(os.path.join(work, "artifacts"))
        for path in [work, copy, os.path.join(work, "artifacts")] + scripts:
            os.chown(path, user.pw_uid, user.pw_gid)
        os.chmod(work, 0o700)
        proc = subprocess.Popen(["runuser", "-u", TEST_USER, "--", sys.executable,
                                 scripts[0], "--as-test-user", copy,
                                 os.path.join(work, "artifacts")],
                                stdin=subprocess.DEVNULL, start_new_session=True,
                                preexec_fn=D.die_with_parent)
        status = D.wait_exit(proc, STAGE_TIMEOUT)
        if status is None:
            print(f"{STAGE}: FAIL, the stage did not end within {STAGE_TIMEOUT} s", flush=True)
            return 1
        return status
    finally:
        if proc is not None and proc.poll() is None:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()
        artifacts = P.artifacts_dir(STAGE)
        source = os.path.join(work, "artifacts")
        for name in os.listdir(source) if os.path.isdir(source) else []:
            shutil.copyfile(os.path.join(source, name), os.path.join(artifacts, name))
        shutil.rmtree(work, ignore_errors=True)


# --------------------------------------------------------------------------------------
# The compositor


class Sway:
    def __init__(self, session):
        D.require_programs("sway", "swaymsg", "grim")
        self.session = session
        config = session.path("sway.config")
        with open(config, "w") as f:
            f.write(SWAY_CONFIG.format(output=OUTPUT, width=LOGICAL_SIZE[0],
                                       height=LOGICAL_SIZE[1]))
        env = dict(session.env)
        env.update(WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                   WLR_RENDERER="pixman", WLR_HEADLESS_OUTPUTS="1")
        self.proc = session.start(["sway", "--config", config], env=env, log="sway")
        found = D.poll(self._sockets, D.SETUP_TIMEOUT, interval=0.05)
        if not found:
            why = D.log_tail(self.proc.log_path) or "no socket"
            raise D.SetupError(f"sway did not start: {why}")
        session.env["WAYLAND_DISPLAY"], session.env["SWAYSOCK"] = found
        if not D.poll(lambda: self.output(), D.SETUP_TIMEOUT, interval=0.05):
            raise D.SetupError(f"sway shows no output {OUTPUT}: {D.log_tail(self.proc.log_path)}")

    def _sockets(self):
        if self.proc.poll() is not None:
            raise D.SetupError(f"sway did not start: {D.log_tail(self.proc.log_path)}")
        names = os.listdir(self.session.dir)
        wayland = [n for n in names if n.startswith("wayland-") and not n.endswith(".lock")]
        ipc = [n for n in names if n.startswith("sway-ipc.") and n.endswith(".sock")]
        if wayland and ipc:
            return wayland[0], self.session.path(ipc[0])
        return None

    def msg(self, *args):
        result = subprocess.run(["swaymsg", "--raw", *args], env=self.session.env,
                                capture_output=True, text=True, timeout=15)
        try:
            return json.loads(result.stdout)
        except ValueError:
            return None

    def output(self):
        for output in self.msg("-t", "get_outputs") or []:
            if output.get("name") == OUTPUT and output.get("active"):
                return output
        return None

    def set_scale(self, scale):
        width, height = (LOGICAL_SIZE[0] * scale, LOGICAL_SIZE[1] * scale)
        self.msg("output", OUTPUT, "mode", f"{width}x{height}", "scale", str(scale))
        return D.poll(lambda: (self.output() or {}).get("scale") == scale and
                      (self.output() or {}).get("current_mode", {}).get("width") == width,
                      D.SETUP_TIMEOUT, interval=0.05)

    def window_of(self, pid):
        """The content rectangle (logical pixels) of pid's window named as the main one."""
        def nodes(node):
            yield node
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                yield from nodes(child)

        for node in nodes(self.msg("-t", "get_tree") or {}):
            if node.get("pid") == pid and node.get("name") == D.CAPTION and node.get("visible"):
                rect, inner = node["rect"], node.get("window_rect", {})
                return (rect["x"] + inner.get("x", 0), rect["y"] + inner.get("y", 0),
                        inner.get("width") or rect["width"], inner.get("height") or rect["height"])
        return None

    def screenshot(self):
        data = subprocess.run(["grim", "-t", "ppm", "-"], env=self.session.env,
                              capture_output=True, timeout=30, check=True).stdout
        return P.read_ppm(data)


# --------------------------------------------------------------------------------------
# One run of the program at one scale


class Figures:
    """What one scale shows, as shares of the view."""

    def __init__(self):
        self.stone = None        # (width share, height share)
        self.label = None        # height share of the frame-rate line
        self.lines = None        # share of the view's pixels that are wire-frame lines
        self.points = None       # share of the view's pixels that are points


def wait_picture(sway, condition, timeout=D.START_TIMEOUT):
    """The first screenshot that satisfies condition(image), or else the last one taken."""
    last = [None]

    def take():
        last[0] = sway.screenshot()
        return last[0] if condition(last[0]) else None

    return D.poll(take, timeout, interval=0.1) or last[0]


def render_menu(dialog):
    render = D.find(dialog, "menu item", "Render")
    return {D.name(o): o for o in D.walk(render, skip=()) if D.role(o) == "menu item"}


def set_menu_mark(item, on):
    """Chooses the menu item (its accessible action) unless its check mark is already on."""
    if D.checked(item) != on:
        D.do_action(item, "Press")
    return D.poll(lambda: D.checked(item) == on, D.REACT_TIMEOUT)


def measure(checks, session, sway, exe, scale):
    figures = Figures()
    tag = f"scale {scale}"
    proc = session.start_program(exe, {"QT_QPA_PLATFORM": "wayland",
                                       "QT_WAYLAND_DISABLE_WINDOWDECORATION": "1"})
    try:
        app = D.find_application(proc.pid)
        dialog = D.main_dialog(app)
        D.wait_for("the panel's first value",
                   lambda: D.text(D.find(dialog, "text", "Table Semi-Diameter")), D.START_TIMEOUT)
        window = D.wait_for("the window in sway's tree", lambda: sway.window_of(proc.pid),
                            D.START_TIMEOUT)
        vx, vy, vw, vh = D.extents(D.find(dialog, "frame", "3D view"), "window")
        # sway and the accessibility tree speak logical pixels, the screenshot device pixels.
        view = ((window[0] + vx) * scale, (window[1] + vy) * scale, vw * scale, vh * scale)
        area = view[2] * view[3]

        # Facets, as the program starts.
        image = wait_picture(sway, lambda im: P.picture_mask(im, P.centre_of(view)).count() > 0)
        image.save_png(os.path.join(session.artifacts, f"scale{scale}-facets.png"))
        inset = max(3, view[2] // 50)
        colours = [P.mean_colour(image, p) for p in P.corner_patches(view, 6 * scale, inset)]
        checks.check(f"{tag}: the view's background is opaque 0.75 grey (191)",
                     all(P.near(c, P.BACKGROUND, P.BACKGROUND_TOLERANCE) for c in colours),
                     f"corners {colours}, behind the window "
                     f"{P.mean_colour(image, (view[0] // 2, view[1] // 2, 4, 4))}")
        box = P.stone_box(P.picture_mask(image, view))
        checks.check(f"{tag}: the stone is drawn at the view's centre",
                     P.stone_at_centre(box, view), P.describe_stone(box, view))
        if P.stone_at_centre(box, view):
            figures.stone = (box[2] / view[2], box[3] / view[3])

        # The wire frame alone: Render > Line on, Render > Face off.
        menu = render_menu(dialog)
        lines_set = set_menu_mark(menu["Line"], True) and set_menu_mark(menu["Face"], False)
        image = wait_picture(sway, lambda im: P.facet_blue(im, view).count() == 0 and
                             P.dark(im, view).count() > 0, D.REACT_TIMEOUT)
        image.save_png(os.path.join(session.artifacts, f"scale{scale}-lines.png"))
        lines = P.dark(image, view).count()
        if lines_set and P.facet_blue(image, view).count() == 0:
            figures.lines = lines / area
        # The frame-rate line shows from the second frame on.
        x, y, w, h = view
        label = P.label_grey(image, (x, y, w * 3 // 4, h // 6)).box()
        if label is not None:
            figures.label = label[3] / h

        # The points alone: Render > Point on, Render > Line off.
        points_set = set_menu_mark(menu["Point"], True) and set_menu_mark(menu["Line"], False)
        image = wait_picture(sway, lambda im: 0 < P.dark(im, view).count() < lines * 0.9,
                             D.REACT_TIMEOUT)
        image.save_png(os.path.join(session.artifacts, f"scale{scale}-points.png"))
        points = P.dark(image, view).count()
        if points_set and 0 < points < lines * 0.9:
            figures.points = points / area
        print(f"    {tag}: view {view[2]}x{view[3]} px; shares of it: stone {figures.stone}, "
              f"label height {figures.label}, line pixels {figures.lines}, point pixels "
              f"{figures.points}", flush=True)

        # Closed as a user closes it: Exit, then OK.
        D.do_action(D.find(dialog, "push button", "Exit"), "Press")
        question = D.poll(lambda: D.close_question(app), D.REACT_TIMEOUT)
        if question is not None:
            D.do_action(question[1], "Press")
        status = D.wait_exit(proc)
        checks.check(f"{tag}: Exit asks '  Close ? ' and OK ends the program with status 0",
                     question is not None and status == 0,
                     f"status {status}" + (f"; {D.program_errors(proc)}" if status else ""))
    finally:
        session.stop(proc)
    return figures


def compare(checks, name, one, two):
    if one is None or two is None:
        checks.check(f"scale 2: {name} takes the same share of the view as at scale 1", False,
                     f"not measured (scale 1: {one}, scale 2: {two})")
        return
    if isinstance(one, tuple):
        ratios = [b / a for a, b in zip(one, two)]
        shown = f"{one[0]:.3f} x {one[1]:.3f} at scale 1, {two[0]:.3f} x {two[1]:.3f} at scale 2"
    else:
        ratios = [two / one]
        shown = f"{one:.4f} at scale 1, {two:.4f} at scale 2"
    ok = all(abs(r - 1) <= SHARE_TOLERANCE for r in ratios)
    checks.check(f"scale 2: {name} takes the same share of the view as at scale 1", ok,
                 f"{shown} (ratio {' x '.join(f'{r:.2f}' for r in ratios)})")


def stage_as_test_user(checks, exe, artifacts):
    with D.Session("wayland") as session:
        session.artifacts = artifacts
        sway = Sway(session)
        session.start_session_bus()
        session.start_accessibility_bus()
        one = measure(checks, session, sway, exe, 1)
        if not sway.set_scale(2):
            raise D.SetupError(f"sway did not set {OUTPUT} to scale 2: {sway.output()}")
        two = measure(checks, session, sway, exe, 2)
        compare(checks, "the stone", one.stone, two.stone)
        compare(checks, "the frame-rate label's height", one.label, two.label)
        compare(checks, "the wire frame's lines", one.lines, two.lines)
        compare(checks, "the points", one.points, two.points)


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--as-test-user":
        D.end_with_parent()
        exe, artifacts = sys.argv[2], sys.argv[3]
        return D.run_stage(STAGE, lambda checks: stage_as_test_user(checks, exe, artifacts))
    if len(sys.argv) != 2 or not os.access(sys.argv[1], os.X_OK):
        print(f"{STAGE}: FAIL, no program to test: {sys.argv[1:]}", flush=True)
        return 1
    exe = os.path.abspath(sys.argv[1])
    if os.geteuid() != 0:
        artifacts = P.artifacts_dir(STAGE)
        return D.run_stage(STAGE, lambda checks: stage_as_test_user(checks, exe, artifacts))
    D.end_on_signals()
    try:
        return run_as_test_user(exe)
    except D.SetupError as error:
        print(f"{STAGE}: FAIL, {error}", flush=True)
        return 1


if __name__ == "__main__":
    sys.exit(main())
