"""The real program as a screen reader reads and plays it, over the accessibility bus: a fresh Easy
board is one 8 x 8 table of cells named "covered" and nothing anywhere tells what a cover hides; a
game played to its end with key presses alone, each cell chosen by the name read from the bus,
hands the face the focus, where Space brings a fresh board. Function keys are left to the offscreen
tests: with newer keymaps xdotool types them with Alt held as well.

Run by assistive.sh, which gives it a session bus of its own:  assistive.sh GAME"""
import os, re, signal, subprocess, sys, tempfile, time

HIDDEN = re.compile(r"mine|exploded mine|XX|\d|.*\U0001F4A3.*", re.S)
SIDE = 8  # the Easy board a game starts with
UNCOVERED = ["empty"] + [str(count) for count in range(1, 9)]
# What the cell just pressed may read, by what the face reads.
ENDS = {"New game, playing": UNCOVERED, "New game, won": UNCOVERED, "New game, lost": ["exploded mine"]}

# Not an Exception, which wait() takes for a condition not yet met: the alarm's must get through.
class Failure(BaseException): pass

def wait(condition, what, seconds=15):
    # Objects come and go as the game answers: a call that fails is a condition not yet met.
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            value = condition()
            if value:
                return value
        except Exception:
            pass
        time.sleep(0.02)
    raise Failure(what)

def key(name):
    subprocess.run(["xdotool", "key", name], check=True, timeout=10)

def tree(o):
    yield o
    for child in o:
        if child is not None:
            yield from tree(child)

def focused(o):
    return o.getState().contains(pyatspi.STATE_FOCUSED)

def find_face(app):
    return next(o for o in tree(app) if o.name.startswith("New game, "))

def check_fresh(app):
    """The board's table, once it is a fresh Easy one that tells nothing hidden."""
    objects = list(tree(app))
    for o in objects:
        for text in (o.name, o.description):
            if HIDDEN.fullmatch(text or ""):
                raise Failure("a fresh board tells %r, on a %s" % (text, o.getRoleName()))
    tables = [o.queryTable() for o in objects if o.getRole() == pyatspi.ROLE_TABLE]
    cells = [o.name for o in objects if o.getRole() == pyatspi.ROLE_TABLE_CELL]
    if len(tables) != 1 or (tables[0].nRows, tables[0].nColumns, len(cells)) != (SIDE, SIDE, SIDE * SIDE):
        raise Failure("not one %d x %d table of cells: %d tables, %d cells" % (SIDE, SIDE, len(tables), len(cells)))
    if set(cells) != {"covered"}:
        raise Failure("a fresh board's cells are named %s" % sorted(set(cells)))
    return tables[0]

def play(table, face):
    """Walks the board row by row, to and fro, pressing Space on each covered cell until the end."""
    cell = lambda row, column: table.getAccessibleAt(row, column)
    key("Tab")
    wait(lambda: focused(cell(0, 0)), "Tab from the face did not reach the first cell")
    # The Menu key marks and unmarks.
    for mark in ("flagged", "covered"):
        key("Menu")
        wait(lambda: cell(0, 0).name == mark, "the Menu key on the first cell did not make it %s" % mark)
    presses = 0
    for row in range(SIDE):
        columns = range(SIDE) if row % 2 == 0 else range(SIDE - 1, -1, -1)
        for n, column in enumerate(columns):
            if n or row:
                key("Down" if not n else "Right" if row % 2 == 0 else "Left")
            here = cell(row, column)
            wait(lambda: focused(here), "the arrows did not bring the focus to (%d, %d)" % (row, column))
            if here.name != "covered":
                continue
            key("space")
            presses += 1
            wait(lambda: here.name != "covered", "Space left the cell at (%d, %d) covered" % (row, column))
            # The cell and the face change in one step, so one reading of each agrees with the other.
            told, end = here.name, face.name
            if told not in ENDS.get(end, []):
                raise Failure("the cell pressed at (%d, %d) reads %r as the face reads %r" % (row, column, told, end))
            if end != "New game, playing":
                return end, presses
    raise Failure("every cell was pressed, yet the face reads %r" % face.name)

def find_app():
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a.name.lower() == "pebblerun")
    return app if any(o.getRole() == pyatspi.ROLE_TABLE_CELL for o in tree(app)) else None

def run():
    app = wait(find_app, "the game's board never showed on the accessibility bus", 30)
    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Pebblerun$"],
                            capture_output=True, text=True, timeout=10).stdout.split()[0]
    # No window manager hands the window the keyboard.
    subprocess.run(["xdotool", "windowfocus", "--sync", window], timeout=10)
    face = find_face(app)
    wait(lambda: focused(face), "the face did not have the focus at the start")
    end, presses = play(check_fresh(app), face)
    wait(lambda: focused(face), "the face did not take the focus when the game ended")
    key("space")
    # A new game brings a face of its own.
    wait(lambda: find_face(app).name == "New game, playing", "Space on the face brought no new game")
    check_fresh(app)

    print("%s after Space on %d cell(s); then a fresh board" % (end[10:], presses))

def main(game):
    runtime = tempfile.TemporaryDirectory(prefix="pebblerun-assistive-")
    os.environ["XDG_RUNTIME_DIR"] = runtime.name
    processes = []
    try:
        reader, writer = os.pipe()
        processes.append(subprocess.Popen(["Xvfb", "-displayfd", str(writer), "-screen", "0", "1280x1024x24",
                                           "-nolisten", "tcp", "-noreset"], pass_fds=[writer]))
        os.close(writer)
        # Xvfb names the display it took once it takes clients; one that cannot start says nothing.
        os.environ["DISPLAY"] = ":" + os.fdopen(reader).readline().strip()
        if os.environ["DISPLAY"] == ":":
            print("SKIP: Xvfb could not start", file=sys.stderr)
            return 77
        processes.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"]))
        # Owned before anyone asks, or the session bus would start a launcher for each who does.
        from gi.repository import Gio, GLib
        bus = Gio.bus_get_sync(Gio.BusType.SESSION)
        wait(lambda: bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                   "NameHasOwner", GLib.Variant("(s)", ("org.a11y.Bus",)), None,
                                   Gio.DBusCallFlags.NONE, 5000).unpack()[0], "the accessibility bus did not start")
        processes.append(subprocess.Popen([game], env=dict(os.environ, QT_QPA_PLATFORM="xcb",
                                                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")))
        global pyatspi
        import pyatspi
        run()
        return 0
    except Failure as failure:
        print("FAIL: %s" % failure, file=sys.stderr)
        return 1
    finally:
        for process in reversed(processes):
            process.terminate()
            process.wait()
        runtime.cleanup()

if __name__ == "__main__":
    # Ahead of ctest's deadline, so that the processes started are still ended.
    signal.signal(signal.SIGALRM, lambda *_: (_ for _ in ()).throw(Failure("out of time")))
    signal.alarm(40)
    sys.exit(main(sys.argv[1]))
