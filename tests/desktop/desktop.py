"""What the outside-in tests share.

A private desktop session (its runtime directory, session bus and accessibility bus, and
every process started in it, all ended when the session ends), the program's controls found
and read through AT-SPI as a screen reader finds them, and the record of checks a stage
prints. What screenshots show is measured in pixels.py.

Everything waits on a condition with a deadline; nothing sleeps for a fixed time.
"""

import ctypes
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time
import traceback

# How long the desktop's own pieces may take to come up, on a loaded machine.
SETUP_TIMEOUT = 30.0
# How long the program may take to show its window and controls.
START_TIMEOUT = 40.0
# How long a reaction to one input may take before it counts as missing. A failing check
# waits this long, so it is kept short enough that the faulty program still ends in time.
REACT_TIMEOUT = 6.0
# How long the program may take to end once it is told to.
EXIT_TIMEOUT = 15.0

CAPTION = "Facetta"
CLOSE_QUESTION = "  Close ? "


class SetupError(Exception):
    """The desktop around the program could not be set up: the stage fails in one line."""


class Timeout(Exception):
    pass


def poll(predicate, timeout, interval=0.02):
    """The first truthy value of predicate() within timeout seconds, or None."""
    end = time.monotonic() + timeout
    while True:
        _dispatch_events()
        value = predicate()
        if value:
            return value
        if time.monotonic() >= end:
            return None
        time.sleep(interval)
        interval = min(interval * 1.5, 0.1)


def _dispatch_events():
    # The AT-SPI client learns of new programs and windows from signals on the bus, which
    # arrive through the main loop.
    if _atspi is not None:
        from gi.repository import GLib

        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)


def wait_for(what, predicate, timeout):
    value = poll(predicate, timeout)
    if not value:
        raise Timeout(f"{what} (waited {timeout:.0f} s)")
    return value


# --------------------------------------------------------------------------------------
# The record of checks


class Checks:
    def __init__(self, stage):
        self.stage = stage
        self.failed = []
        self.passed = 0
        self.started = time.monotonic()

    def check(self, name, ok, detail=""):
        mark = "PASS" if ok else "FAIL"
        took = time.monotonic() - self.started
        print(f"{mark} [{took:5.1f} s] {name}" + (f": {detail}" if detail else ""), flush=True)
        if ok:
            self.passed += 1
        else:
            self.failed.append(name)
        return ok

    def summary(self):
        took = time.monotonic() - self.started
        print(f"{self.stage}: {self.passed} passed, {len(self.failed)} failed, {took:.1f} s",
              flush=True)
        for name in self.failed:
            print(f"  failed: {name}", flush=True)
        return 1 if self.failed else 0


def end_on_signals():
    """A test runner's timeout or an interrupt ends the stage through its clean-up."""
    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(sig, _exit_on_signal)


def run_stage(stage, body):
    """Runs body(checks); a set-up failure is one line and a failure of the stage."""
    end_on_signals()
    checks = Checks(stage)
    try:
        body(checks)
    except SetupError as error:
        print(f"{stage}: FAIL, {error}", flush=True)
        return 1
    except Timeout as error:
        checks.check("stage ran to its end", False, f"gave up waiting for {error}")
    except Exception:  # a fault of the test itself: shown whole, and a failure
        traceback.print_exc()
        checks.check("stage ran to its end", False, "the test raised an exception")
    return checks.summary()


def _exit_on_signal(signum, _frame):
    raise SystemExit(128 + signum)


# --------------------------------------------------------------------------------------
# Processes and the session


_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1


def die_with_parent():
    # Should this process die without its clean-up, what it started ends with it, and in
    # its own way (the bus launcher ends the bus it started).
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGTERM)


def end_with_parent(signum=signal.SIGTERM):
    """This process gets signum when the one that started it dies."""
    _libc.prctl(_PR_SET_PDEATHSIG, signum)


def require_programs(*names):
    missing = [n for n in names if shutil.which(n) is None and not os.path.exists(n)]
    if missing:
        raise SetupError(f"missing programs: {' '.join(missing)} (bash scripts/deps.sh)")


class Session:
    """A private user session: runtime directory, buses and the processes started in it."""

    def __init__(self, name):
        self.dir = tempfile.mkdtemp(prefix=f"lapido-{name}-")
        os.chmod(self.dir, 0o700)
        self.procs = []
        self.env = dict(os.environ)
        for key in ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "SWAYSOCK", "AT_SPI_BUS_ADDRESS",
                    "DBUS_SESSION_BUS_ADDRESS", "QT_QPA_PLATFORM", "SESSION_MANAGER"):
            self.env.pop(key, None)
        # The program's single-instance lock lives here, private to this session.
        self.env["XDG_RUNTIME_DIR"] = self.dir
        self.env["HOME"] = self.path("home")
        self.env["XDG_CACHE_HOME"] = self.path("home/.cache")
        self.env["XDG_CONFIG_HOME"] = self.path("home/.config")
        os.makedirs(self.env["XDG_CACHE_HOME"])
        os.makedirs(self.env["XDG_CONFIG_HOME"])

    def path(self, *parts):
        return os.path.join(self.dir, *parts)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def start(self, argv, env=None, stdout=None, pass_fds=(), log=None):
        """Starts argv; its output goes to a log file in the session unless stdout is set."""
        log = log or os.path.basename(argv[0])
        err = open(self.path(f"{log}.log"), "ab")
        proc = subprocess.Popen(argv, env=env if env is not None else self.env,
                                stdin=subprocess.DEVNULL,
                                stdout=stdout if stdout is not None else err, stderr=err,
                                pass_fds=pass_fds, preexec_fn=die_with_parent)
        err.close()
        proc.log_path = self.path(f"{log}.log")
        self.procs.append(proc)
        return proc

    def stop(self, proc, timeout=3.0):
        if proc.poll() is None:
            proc.terminate()
            try:
                proc.wait(timeout)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
        if proc in self.procs:
            self.procs.remove(proc)

    def close(self):
        for proc in reversed(list(self.procs)):
            self.stop(proc)
        shutil.rmtree(self.dir, ignore_errors=True)

    # -- buses

    def start_session_bus(self):
        require_programs("dbus-daemon")
        proc = self.start(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                           f"--address=unix:path={self.path('bus')}", "--print-address=1"],
                          stdout=subprocess.PIPE, log="dbus-daemon")
        line = read_line(proc.stdout, SETUP_TIMEOUT)
        if not line:
            raise SetupError(f"the session bus did not start: {log_tail(proc.log_path)}")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = line
        return line

    def start_accessibility_bus(self):
        """The accessibility bus, switched on; this process's AT-SPI client then uses it."""
        launcher = "/usr/libexec/at-spi-bus-launcher"
        require_programs(launcher)
        proc = self.start([launcher, "--launch-immediately", "--a11y=1"], log="at-spi-bus")
        address = poll(lambda: _accessibility_bus_address(self.env["DBUS_SESSION_BUS_ADDRESS"]),
                       SETUP_TIMEOUT, interval=0.05)
        if not address:
            raise SetupError("the accessibility bus did not start: " +
                             (log_tail(proc.log_path) or "at-spi-bus-launcher gave no address"))
        # The program finds the bus through the session bus, as on a desktop (Qt 6.4 given
        # AT_SPI_BUS_ADDRESS never registers); this process, the screen reader, is told it.
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.env["DBUS_SESSION_BUS_ADDRESS"]
        os.environ["AT_SPI_BUS_ADDRESS"] = address
        return address

    def start_program(self, exe, extra_env=None):
        env = dict(self.env)
        env.update(extra_env or {})
        return self.start([exe], env=env, log="lapido")


def read_line(stream, timeout):
    """One line from a pipe within timeout seconds, without the newline; '' when none."""
    end = time.monotonic() + timeout
    data = b""
    fd = stream.fileno()
    while b"\n" not in data:
        left = end - time.monotonic()
        if left <= 0:
            break
        ready, _, _ = select.select([fd], [], [], left)
        if not ready:
            break
        chunk = os.read(fd, 4096)
        if not chunk:
            break
        data += chunk
    return data.split(b"\n", 1)[0].decode(errors="replace").strip()


def log_tail(path, lines=3):
    try:
        with open(path, errors="replace") as f:
            return " | ".join(line.strip() for line in f.readlines()[-lines:])
    except OSError:
        return ""


def _accessibility_bus_address(session_address):
    try:
        from gi.repository import Gio, GLib
    except ImportError as error:
        raise SetupError(f"no GObject introspection for Python ({error}; bash scripts/deps.sh)")

    try:
        bus = Gio.DBusConnection.new_for_address_sync(
            session_address,
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
            Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        reply = bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                              None, GLib.VariantType.new("(s)"), Gio.DBusCallFlags.NONE, 2000,
                              None)
        bus.close_sync(None)
        return reply.unpack()[0]
    except GLib.Error:
        return None


def wait_exit(proc, timeout=EXIT_TIMEOUT):
    """The exit status of proc, or None when it still runs after timeout seconds."""
    try:
        return proc.wait(timeout)
    except subprocess.TimeoutExpired:
        return None


def program_errors(proc):
    return log_tail(proc.log_path, 5)


# --------------------------------------------------------------------------------------
# The accessibility tree


_atspi = None


def atspi():
    """The AT-SPI client library, loaded once the session's buses are known."""
    global _atspi
    if _atspi is None:
        try:
            import gi

            gi.require_version("Atspi", "2.0")
            from gi.repository import Atspi
        except (ImportError, ValueError) as error:
            raise SetupError(f"no AT-SPI client ({error}; bash scripts/deps.sh)")

        # A program busy in a modal loop answers late; no call may stall the stage long.
        Atspi.set_timeout(3000, 10000)
        _atspi = Atspi
    return _atspi


def _safe(call, default=None):
    try:
        return call()
    except Exception:  # the object went away, or the program is busy
        return default


def find_application(pid, timeout=START_TIMEOUT):
    A = atspi()

    def lookup():
        desktop = A.get_desktop(0)
        for i in range(_safe(desktop.get_child_count, 0)):
            app = _safe(lambda: desktop.get_child_at_index(i))
            if app is not None and _safe(app.get_process_id) == pid:
                # Read every property afresh: states and texts change under us.
                _safe(lambda: app.set_cache_mask(A.Cache.NONE))
                return app
        return None

    return wait_for(f"the program (pid {pid}) on the accessibility bus", lookup, timeout)


def role(obj):
    return _safe(obj.get_role_name, "")


def name(obj):
    return _safe(obj.get_name, "")


def children(obj):
    count = _safe(obj.get_child_count, 0)
    result = []
    for i in range(count):
        child = _safe(lambda: obj.get_child_at_index(i))
        if child is not None:
            result.append(child)
    return result


def walk(obj, depth=0, max_depth=12, skip=("menu bar", "popup menu")):
    """obj and what lies under it, leaving out menus unless obj is one."""
    yield obj
    if depth < max_depth:
        for child in children(obj):
            if skip and role(child) in skip:
                continue
            yield from walk(child, depth + 1, max_depth, skip)


def find(root, role_name=None, name_is=None, where=None):
    """The first object under root (root included) with that role and name."""
    menus = role_name in ("menu bar", "menu item", "popup menu")
    for obj in walk(root, skip=() if menus else ("menu bar", "popup menu")):
        if role_name is not None and role(obj) != role_name:
            continue
        if name_is is not None and name(obj) != name_is:
            continue
        if where is not None and not where(obj):
            continue
        return obj
    return None


def wait_find(root, role_name=None, name_is=None, where=None, timeout=START_TIMEOUT):
    what = f"{role_name or 'object'} {name_is!r}" if name_is is not None else role_name
    return wait_for(what, lambda: find(root, role_name, name_is, where), timeout)


def has_state(obj, state_name):
    A = atspi()
    state = getattr(A.StateType, state_name.upper())
    return bool(_safe(lambda: obj.get_state_set().contains(state), False))


def checked(obj):
    return has_state(obj, "checked")


def showing(obj):
    return has_state(obj, "showing")


def text(obj):
    A = atspi()
    return _safe(lambda: A.Text.get_text(obj, 0, -1), None)


def caret(obj):
    A = atspi()
    return _safe(lambda: A.Text.get_caret_offset(obj), None)


def offset_at(obj, x, y, coords="screen"):
    """The character offset a screen reader finds at point (x, y) of the text control."""
    A = atspi()
    kind = A.CoordType.SCREEN if coords == "screen" else A.CoordType.WINDOW
    return _safe(lambda: A.Text.get_offset_at_point(obj, x, y, kind), None)


def extents(obj, coords="screen"):
    """(x, y, width, height); 'window' coordinates are relative to the top-level window."""
    A = atspi()
    kind = A.CoordType.SCREEN if coords == "screen" else A.CoordType.WINDOW
    rect = _safe(lambda: obj.get_extents(kind))
    return (rect.x, rect.y, rect.width, rect.height) if rect is not None else None


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


def do_action(obj, action_name):
    """Invokes the named action (Press, Toggle, ...); False when obj has none of that name."""
    A = atspi()
    count = _safe(lambda: A.Action.get_n_actions(obj), 0)
    for i in range(count):
        if _safe(lambda: A.Action.get_action_name(obj, i)) == action_name:
            return bool(_safe(lambda: A.Action.do_action(obj, i), False))
    return False


def main_dialog(app, timeout=START_TIMEOUT):
    return wait_for(f"the window {CAPTION!r} on the accessibility bus",
                    lambda: find(app, "dialog", CAPTION, where=showing) or
                    find(app, "frame", CAPTION, where=showing), timeout)


def close_question(app):
    """The close confirmation as (box, OK button, Cancel button), or None while none shows."""
    for top in children(app):
        if name(top) == CAPTION or not showing(top):
            continue
        label = find(top, where=lambda o: name(o) == CLOSE_QUESTION or
                     (role(o) == "label" and text(o) == CLOSE_QUESTION))
        if label is None:
            continue
        ok = find(top, "push button", "OK")
        cancel = find(top, "push button", "Cancel")
        if ok is not None and cancel is not None:
            return top, ok, cancel
    return None


def edit_values(dialog):
    """The panel's edits, by their accessible names, with their texts."""
    return {name(o): text(o) for o in walk(dialog) if role(o) == "text"}
