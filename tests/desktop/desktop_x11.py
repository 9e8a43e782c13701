#!/usr/bin/python3
"""The built program on an X server of its own, driven only from outside.

Input is real X input (xdotool, through XTest), controls are found and read through the
accessibility tree, pixels come from screenshots of the screen. There is no window manager:
the close box is the WM_DELETE_WINDOW message a window manager sends when it is clicked.

    desktop_x11.py PATH-TO-LAPIDO
"""

import ctypes
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.dont_write_bytecode = True  # nothing written into the source tree
import desktop as D  # noqa: E402
import pixels as P  # noqa: E402

STAGE = "desktop_x11"
SCREEN = "1280x1024x24"

# The main dialog template, in dialog units: its size and its check boxes' rectangles.
DIALOG_UNITS = (401, 246)
CHECK_BOXES = {
    "Render Facets": (10, 200, 63, 10),
    "Wire Frame\n(Model: Assembled Triangles)": (10, 210, 124, 20),
    "Transparent": (10, 231, 55, 10),
}
TABLE = "Table Semi-Diameter"
CROWN = "Crown Angle in degree"
GIRDLE = "Girdle thickness"
LONG_VALUE = "123456789012"
MOUSE_BUTTONS = ((1, "left"), (2, "middle"), (3, "right"))


# --------------------------------------------------------------------------------------
# The X server and X input


def start_xvfb(session):
    D.require_programs("Xvfb", "xdotool", "import")
    read_end, write_end = os.pipe()
    # -noreset: the server outlives each program; a reset refuses the next client.
    proc = session.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN,
                          "-noreset", "-nolisten", "tcp"], pass_fds=(write_end,), log="Xvfb")
    os.close(write_end)
    with os.fdopen(read_end, "rb") as stream:
        number = D.read_line(stream, D.SETUP_TIMEOUT)
    if not number.isdigit():
        why = D.log_tail(proc.log_path) or "no display number"
        raise D.SetupError(f"Xvfb did not start: {why}")
    session.env["DISPLAY"] = f":{number}"
    return session.env["DISPLAY"]


def xdotool(session, *args):
    result = subprocess.run(["xdotool", *map(str, args)], env=session.env,
                            capture_output=True, text=True, timeout=D.REACT_TIMEOUT + 10)
    return result.stdout.strip()


def click(session, point, button=1):
    # One connection, so the move is done before the click. Not --sync: this xdotool waits
    # for a motion that never comes when the pointer is already there.
    xdotool(session, "mousemove", point[0], point[1], "click", button)


def key(session, *names):
    xdotool(session, "key", "--delay", 30, *names)


def type_text(session, value):
    xdotool(session, "type", "--delay", 30, value)


def screenshot(session):
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=session.env,
                          capture_output=True, timeout=30, check=True).stdout
    return P.read_ppm(data)


def main_window_id(session, pid):
    def lookup():
        found = xdotool(session, "search", "--all", "--onlyvisible", "--pid", pid, "--name",
                        f"^{D.CAPTION}$")
        return int(found.split()[0]) if found else None

    return D.wait_for("the main window on the X server", lookup, D.START_TIMEOUT)


class _XClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessage), ("pad", ctypes.c_long * 24)]


def send_close_box(display_name, window):
    """What a window manager sends when the user clicks the window's close box."""
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(_XEvent)]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x.XOpenDisplay(display_name.encode())
    if not display:
        raise D.SetupError(f"cannot open display {display_name}")
    event = _XEvent()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = window
    event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.xclient.data[1] = 0  # CurrentTime
    x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    x.XFlush(display)
    x.XCloseDisplay(display)


# --------------------------------------------------------------------------------------
# The program as a user meets it


class Lapido:
    """One run of the program and the controls a user reaches in it."""

    def __init__(self, session, exe):
        self.session = session
        self.controls = {}
        self.proc = session.start_program(exe)
        self.app = D.find_application(self.proc.pid)
        self.dialog = D.main_dialog(self.app)
        self.window = main_window_id(session, self.proc.pid)
        # Ready once the panel shows the stone's values.
        D.wait_find(self.dialog, "text", TABLE)
        D.wait_for("the panel's first value", lambda: self.value(TABLE), D.START_TIMEOUT)
        # The dialog's controls live as long as it does: found once, read afresh each time.
        self.controls = {key_of(o): o for o in D.walk(self.dialog)
                         if D.role(o) in ("push button", "text", "check box", "frame")}

    def control(self, role_name, name_is):
        found = self.controls.get((role_name, name_is))
        return found or D.wait_find(self.dialog, role_name, name_is, timeout=D.REACT_TIMEOUT)

    def edit(self, name_is):
        return self.control("text", name_is)

    def value(self, name_is):
        return D.text(self.edit(name_is))

    def rect(self, obj):
        return D.extents(obj, "screen")

    def click(self, obj, button=1):
        click(self.session, D.centre(self.rect(obj)), button)

    def click_button(self, name_is):
        self.click(self.control("push button", name_is))

    def wait_value(self, name_is, expected, timeout=D.REACT_TIMEOUT):
        return D.poll(lambda: self.value(name_is) == expected, timeout)

    def type_into(self, name_is, value):
        """Clicks into the edit, selects its text and types value with real keys."""
        edit = self.edit(name_is)
        self.click(edit)
        D.poll(lambda: D.has_state(edit, "focused"), D.REACT_TIMEOUT)
        key(self.session, "ctrl+a")
        type_text(self.session, value)
        return self.wait_value(name_is, value)

    def focused(self):
        """The control with the keyboard focus, None when no control of the dialog has it."""
        for control_key, obj in self.controls.items():
            if is_dialog_control(control_key) and D.has_state(obj, "focused"):
                return obj
        return None

    def question(self, timeout=D.REACT_TIMEOUT):
        return D.poll(lambda: D.close_question(self.app), timeout)

    def answer(self, question, ok):
        self.click(question[1] if ok else question[2])
        return D.poll(lambda: D.close_question(self.app) is None, D.REACT_TIMEOUT)

    def view_rect(self):
        return self.rect(self.control("frame", "3D view"))

    def press_in_view(self, button):
        # Away from the stone, so the press neither picks nor starts a visible drag.
        x, y, w, h = self.view_rect()
        click(self.session, (x + w // 5, y + h * 4 // 5), button)

    def running(self):
        return self.proc.poll() is None


def key_of(obj):
    return (D.role(obj), D.name(obj)) if obj is not None else None


def is_dialog_control(control):
    """Whether the control (role, name) is one of the dialog's tab stops."""
    return control is not None and (control[0] in ("push button", "text", "check box") or
                                    control == ("frame", "3D view"))


def shown(values):
    return ", ".join(f"{k.split(' (')[0]}={v}" for k, v in values.items())


def fmt(value):
    return f"{value:.3f}"


# --------------------------------------------------------------------------------------
# The checks


def check_start(checks, lapido):
    checks.check("start: the first panel value reads 2.650", lapido.value(TABLE) == "2.650",
                 f"reads {lapido.value(TABLE)!r}")


def check_screenshot(checks, lapido, artifacts):
    view = lapido.view_rect()
    image = D.poll(lambda: _painted(lapido, view), D.START_TIMEOUT, interval=0.2)
    if image is None:
        image = screenshot(lapido.session)
    image.save_png(os.path.join(artifacts, "screen.png"))
    inset = max(3, view[2] // 50)
    colours = [P.mean_colour(image, patch) for patch in P.corner_patches(view, 6, inset)]
    checks.check("screenshot: the view's background is 0.75 grey (191)",
                 all(P.near(c, P.BACKGROUND, P.BACKGROUND_TOLERANCE) for c in colours),
                 f"corners {colours}")
    box = P.stone_box(P.picture_mask(image, view))
    checks.check("screenshot: the stone is drawn at the view's centre",
                 P.stone_at_centre(box, view), P.describe_stone(box, view))


def _painted(lapido, view):
    image = screenshot(lapido.session)
    return image if P.picture_mask(image, P.centre_of(view)).count() > 0 else None


def check_check_box_width(checks, lapido):
    dialog = D.extents(lapido.dialog)
    bar = D.extents(D.find(lapido.dialog, "menu bar"))
    client = (dialog[0], bar[1] + bar[3], dialog[2], dialog[1] + dialog[3] - bar[1] - bar[3])
    units = (round(client[2] * 4 / DIALOG_UNITS[0]), round(client[3] * 8 / DIALOG_UNITS[1]))
    for label, (dx, dy, dw, dh) in CHECK_BOXES.items():
        box = lapido.control("check box", label)
        rect = (client[0] + round(dx * units[0] / 4), client[1] + round(dy * units[1] / 8),
                round(dw * units[0] / 4), round(dh * units[1] / 8))
        actual = lapido.rect(box)
        before = D.checked(box)
        # In the template's rectangle, right of the caption's text.
        click(lapido.session, (rect[0] + rect[2] - 4, rect[1] + rect[3] // 2))
        toggled = D.poll(lambda: D.checked(box) != before, D.REACT_TIMEOUT) is not None
        short = label.split("\n")[0]
        checks.check(f"check box {short!r} takes a click in the right of its template rectangle",
                     toggled, f"template {rect[2]}x{rect[3]} px at ({rect[0]},{rect[1]}), "
                     f"control {actual[2]}x{actual[3]} at ({actual[0]},{actual[1]}), base units "
                     f"{units[0]}x{units[1]}")
        if toggled:
            lapido.click(box)
            D.poll(lambda: D.checked(box) == before, D.REACT_TIMEOUT)


def check_typed_update(checks, lapido):
    typed = lapido.type_into(CROWN, "95")
    lapido.click_button("Update")
    reconciled = lapido.wait_value(CROWN, "87.000")
    values = D.edit_values(lapido.dialog)
    three = all(re.fullmatch(r"-?\d+\.\d{3}", v or "") for v in values.values())
    checks.check("typed 95 in the crown angle, Update: the panel shows the reconciled 87.000",
                 bool(typed and reconciled and three),
                 f"typed {'95' if typed else 'nothing'}; panel {shown(values)}")
    lapido.click_button("Default")
    checks.check("Default brings the default values back", lapido.wait_value(CROWN, "34.600"),
                 f"crown angle {lapido.value(CROWN)!r}")


def check_arrows(checks, lapido):
    for row, step in ((TABLE, 0.1), (CROWN, 1.0)):
        start = float(lapido.value(row))
        lapido.click(lapido.control("push button", f"{row} up"))
        up = lapido.wait_value(row, fmt(start + step))
        after_up = lapido.value(row)
        lapido.click(lapido.control("push button", f"{row} down"))
        down = lapido.wait_value(row, fmt(start))
        checks.check(f"the up and down arrows of {row!r} step it by {step}", bool(up and down),
                     f"{fmt(start)} -> up {after_up} -> down {lapido.value(row)}")


def check_menu_toggle(checks, lapido):
    box = lapido.control("check box", "Transparent")
    item = D.find(lapido.dialog, "menu item", "Transparentize")
    before = D.checked(box)
    lapido.click(D.find(lapido.dialog, "menu item", "Render"))
    opened = D.poll(lambda: D.showing(item) and lapido.rect(item)[2] > 0 and
                    lapido.rect(item)[1] > 0, D.REACT_TIMEOUT)
    if opened:
        lapido.click(item)
    changed = D.poll(lambda: D.checked(box) != before, D.REACT_TIMEOUT) is not None
    checks.check("menu Render > Transparentize, clicked, checks the Transparent check box",
                 bool(opened and changed and D.checked(item) == D.checked(box)),
                 f"menu {'opened' if opened else 'did not open'}; box checked {D.checked(box)}, "
                 f"menu item checked {D.checked(item)}")
    if changed:
        lapido.click(box)
        back = D.poll(lambda: D.checked(box) == before and D.checked(item) == before,
                      D.REACT_TIMEOUT) is not None
        checks.check("the check box, clicked, clears the menu's check mark again", back,
                     f"box checked {D.checked(box)}, menu item checked {D.checked(item)}")


def check_long_value(checks, lapido, artifacts):
    typed = lapido.type_into(GIRDLE, LONG_VALUE)
    lapido.click_button("Update")
    expected = LONG_VALUE + ".000"
    shows = lapido.wait_value(GIRDLE, expected)
    edit = lapido.edit(GIRDLE)
    x, y, w, h = lapido.rect(edit)
    first = D.offset_at(edit, x + 6, y + h // 2)
    last = D.offset_at(edit, x + w - 6, y + h // 2)
    screenshot(lapido.session).crop((x, y, w, h)).save_png(os.path.join(artifacts, "long.png"))
    checks.check(f"typed {LONG_VALUE}, Update: the edit shows its text from the first character",
                 bool(typed and shows and first == 0),
                 f"text {lapido.value(GIRDLE)!r}; visible from offset {first} to {last}, caret "
                 f"at {D.caret(edit)}")
    lapido.click_button("Default")
    lapido.wait_value(GIRDLE, "0.260")


def tab_until(lapido, wanted, limit=25):
    """Presses Tab until wanted(focused) holds: the controls passed, and whether it held."""
    passed = []
    focused = lapido.focused()
    current = key_of(focused)
    if focused is not None and wanted(focused):
        return passed, True
    for _ in range(limit):
        key(lapido.session, "Tab")
        moved = D.poll(lambda: key_of(lapido.focused()) not in (None, current), D.REACT_TIMEOUT)
        if not moved:
            return passed, False
        focused = lapido.focused()
        current = key_of(focused)
        passed.append(current)
        if wanted(focused):
            return passed, True
    return passed, False


def check_keyboard_after_press(checks, lapido, button, label):
    what = f"after a {label} press in the view"

    # Escape asks.
    lapido.press_in_view(button)
    key(lapido.session, "Escape")
    question = lapido.question()
    checks.check(f"{what}, Escape asks '  Close ? '", question is not None,
                 f"focus on {key_of(lapido.focused())}" if question is None else "")
    if question is not None:
        gone = lapido.answer(question, ok=False)
        checks.check(f"{what}, Cancel keeps the program", bool(gone) and lapido.running())
    else:
        lapido.click(lapido.edit(TABLE))  # a user clicks back into the panel

    # Tab moves the focus between the panel's controls; Enter presses the focused button.
    lapido.type_into(TABLE, "2.7")
    lapido.press_in_view(button)
    start = key_of(lapido.focused())
    passed, reached = tab_until(lapido, lambda o: key_of(o) == ("push button", "Update"))
    moved = bool(passed) and all(is_dialog_control(c) for c in passed)
    checks.check(f"{what}, Tab moves the focus between the dialog's controls", moved,
                 f"from {start[1] if start else None!r} through {[n for _, n in passed]}"
                 if passed else f"focus stays on {start}")
    if reached:
        key(lapido.session, "Return")
        checks.check(f"{what}, Tab to Update and Enter presses it (2.7 reads 2.700)",
                     lapido.wait_value(TABLE, "2.700"), f"table reads {lapido.value(TABLE)!r}")
    else:
        checks.check(f"{what}, Enter on the default button", False,
                     "not reached: Tab did not bring the focus to Update")
        lapido.click(lapido.edit(TABLE))

    # Up and Down in a focused edit step its value: the edit had the focus before the press,
    # or Tab brings it there after.
    if moved:
        lapido.click(lapido.edit(TABLE))
        lapido.press_in_view(button)
        passed, reached = tab_until(lapido, lambda o: key_of(o) == ("text", TABLE))
    if moved and reached:
        start = float(lapido.value(TABLE))
        key(lapido.session, "Up")
        up = lapido.wait_value(TABLE, fmt(start + 0.1))
        after_up = lapido.value(TABLE)
        focus_after_up = key_of(lapido.focused())
        key(lapido.session, "Down")
        down = lapido.wait_value(TABLE, fmt(start))
        checks.check(f"{what}, Up and Down in the focused edit step it", bool(up and down),
                     f"{fmt(start)} -> Up {after_up} -> Down {lapido.value(TABLE)}; focus after "
                     f"Up on {focus_after_up[1] if focus_after_up else None!r}")
    else:
        checks.check(f"{what}, Up and Down in the focused edit step it", False,
                     "not reached: Tab did not bring the focus to the edit")
        lapido.click(lapido.edit(TABLE))
    lapido.click_button("Default")
    lapido.wait_value(TABLE, "2.650")


def check_ok_ends(checks, lapido, how):
    question = lapido.question()
    if question is None:
        checks.check(f"{how} asks '  Close ? '", False, "no question")
        return
    checks.check(f"{how} asks '  Close ? '", True)
    lapido.answer(question, ok=True)
    status = D.wait_exit(lapido.proc)
    checks.check(f"{how}, OK ends the program with status 0", status == 0,
                 f"status {status}" + (f"; {D.program_errors(lapido.proc)}" if status else ""))


def body(checks):
    if len(sys.argv) != 2 or not os.access(sys.argv[1], os.X_OK):
        raise D.SetupError(f"no program to test: {sys.argv[1:]}")
    exe = os.path.abspath(sys.argv[1])
    artifacts = P.artifacts_dir(STAGE)
    with D.Session("x11") as session:
        display = start_xvfb(session)
        session.start_session_bus()
        session.start_accessibility_bus()

        lapido = Lapido(session, exe)
        check_start(checks, lapido)
        check_screenshot(checks, lapido, artifacts)
        check_check_box_width(checks, lapido)
        check_typed_update(checks, lapido)
        check_arrows(checks, lapido)
        check_menu_toggle(checks, lapido)
        check_long_value(checks, lapido, artifacts)
        for button, label in MOUSE_BUTTONS:
            check_keyboard_after_press(checks, lapido, button, label)
        lapido.click_button("Exit")
        check_ok_ends(checks, lapido, "the Exit button")
        session.stop(lapido.proc)

        # The close box: Cancel keeps the program, OK ends it.
        lapido = Lapido(session, exe)
        send_close_box(display, lapido.window)
        question = lapido.question()
        kept = question is not None and lapido.answer(question, ok=False) and lapido.running()
        checks.check("the close box asks '  Close ? ' and Cancel keeps the program", bool(kept))
        send_close_box(display, lapido.window)
        check_ok_ends(checks, lapido, "the close box")
        session.stop(lapido.proc)

        lapido = Lapido(session, exe)
        key(session, "Escape")
        check_ok_ends(checks, lapido, "Escape")
        session.stop(lapido.proc)


if __name__ == "__main__":
    sys.exit(D.run_stage(STAGE, body))
