#!/usr/bin/python3
"""What a screen reader gets from Tarnwick, read over a real accessibility bus.

Run by tools/check-accessibility.sh (under Xvfb with openbox and a D-Bus session of its own):
starts the practice world on a free port and Tarnwick connected to it, then, as Orca would,
walks the program's accessibility tree: every focusable object has a name and a role, the
colour view's text is the plain view's, a line from the world raises text-inserted with that
line, and Tab through each window reaches each control once. Keys go through the X server.

Usage: screen_reader_test.py TARNWICK PRACTICE_WORLD
"""
import os
import re
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402

# Bounds for a busy machine; every wait ends as soon as its condition holds. A key can wait
# for the accessibility registry up to D-Bus's 25 seconds before Qt delivers it anyway.
START_SECONDS = 30
STEP_SECONDS = 30

# The windows Tab goes through: each row opens windows one from the other, starting in the
# main window, with the keys that open and close each, and then the keys that put the main
# window back.
WINDOWS = [
    ([("alt+o g", "Escape")], ""),                                     # General Setup
    ([("alt+o m", "Escape"), ("alt+a", "Escape")], ""),                # MUD list, entry editor
    ([("alt+o t", "Escape"), ("alt+a", "Escape")], ""),                # triggers, trigger editor
    ([("alt+o a", "Escape"), ("alt+a", "Escape")], ""),                # aliases, alias editor
    ([("alt+o h", "Escape")], ""),                                     # hotkeys
    ([("alt+o n", "Escape")], ""),                                     # numeric keypad
    ([("alt+o Down Down Down Down Down Down Return", "Escape")], ""),  # ANSI definitions
    ([("alt+o c", "Escape")], ""),                                     # speech settings
    ([("alt+m l", "Escape")], ""),                                     # session log
    ([("ctrl+m ctrl+f", "Escape")], "ctrl+m"),                         # Find, in the plain view
    ([("ctrl+z", "Escape"), ("ctrl+g", "Escape")], ""),                # map window, level dialog
    ([("ctrl+z", "Escape"), ("ctrl+v", "alt+o")], ""),                 # map window, walk-through
    ([("ctrl+s", "Escape")], ""),                                      # send message
    ([("ctrl+n", "Escape")], ""),                                      # look up note
    ([("alt+n a", "Escape")], ""),                                     # add note
    ([("alt+h a", "Escape")], ""),                                     # About
    ([("ctrl+shift+w", "alt+o")], ""),                                 # walk-through, main window
    ([("ctrl+shift+h", "ctrl+shift+h")], ""),                          # Channels
]

failures = []


def fail(text):
    failures.append(text)
    print("FAIL: " + text, flush=True)


class Bus:
    """The accessibility bus as a screen reader listens to it."""

    def __init__(self):
        self.focused = []
        self.inserted = []
        self.context = GLib.MainContext.default()
        pyatspi.Registry.registerEventListener(self._focus, "object:state-changed:focused")
        pyatspi.Registry.registerEventListener(self._insert, "object:text-changed:insert")

    def _focus(self, event):
        if event.detail1:
            self.focused.append(event.source)

    def _insert(self, event):
        self.inserted.append((event.source, str(event.any_data)))

    def wait(self, condition, seconds=STEP_SECONDS):
        """Delivers events until condition() gives a true value; None when time runs out."""
        end = time.monotonic() + seconds
        while True:
            while self.context.pending():
                self.context.iteration(False)
            value = condition()
            if value or time.monotonic() > end:
                return value or None
            time.sleep(0.02)


def keys(sequence):
    for key in sequence.split():
        subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)


def state(obj, which):
    try:
        return obj.getState().contains(which)
    except GLib.GError:
        return False  # gone while asked


def descendants(obj):
    for child in obj:
        if child is not None:
            yield child
            yield from descendants(child)


def find(obj, test):
    return next((o for o in descendants(obj) if test(o)), None)


def where(obj):
    """The object's place in the tree, which stays while its window lives."""
    path = []
    while obj is not None and obj.getRole() != pyatspi.ROLE_APPLICATION:
        path.append(obj.getIndexInParent())
        obj = obj.parent
    return tuple(reversed(path))


def describe(obj):
    return "%s '%s'" % (obj.getRoleName(), obj.name)


def focusable(window):
    return [o for o in descendants(window) if state(o, pyatspi.STATE_FOCUSABLE) and state(o, pyatspi.STATE_SHOWING)]


def check_names(window):
    for obj in focusable(window):
        if not obj.name.strip():
            fail("%s in '%s' has no name" % (describe(obj), window.name))
        if obj.getRole() in (pyatspi.ROLE_INVALID, pyatspi.ROLE_UNKNOWN):
            fail("'%s' in '%s' has no role" % (obj.name, window.name))


def active_window(app):
    return next((w for w in app if w is not None and state(w, pyatspi.STATE_ACTIVE)), None)


def check_tab(bus, window):
    """Tab from the focused control around to it again: each control once, none left out."""
    controls = focusable(window)
    start = bus.wait(lambda: find(window, lambda o: state(o, pyatspi.STATE_FOCUSED)))
    if start is None:
        fail("nothing has the focus in '%s'" % window.name)
        return
    reached = [where(start)]
    tabs = len(controls) + 2 if len(controls) > 1 else 0  # one control keeps the focus
    for _ in range(tabs):
        before = len(bus.focused)
        keys("Tab")
        if not bus.wait(lambda: len(bus.focused) > before):
            fail("Tab in '%s' leaves the focus where it is" % window.name)
            return
        now = where(bus.focused[-1])
        if now == reached[0]:
            break
        if now in reached:
            fail("Tab in '%s' comes to %s twice before the first again" % (window.name, describe(bus.focused[-1])))
            break
        reached.append(now)
    else:
        if tabs:
            fail("Tab in '%s' never comes back to %s" % (window.name, describe(start)))
    # A group of radio buttons is one stop: the arrow keys choose within it.
    groups = {where(o)[:-1] for o in controls if o.getRole() == pyatspi.ROLE_RADIO_BUTTON and where(o) in reached}
    for obj in controls:
        place = where(obj)
        inside = any(r[: len(place)] == place or place[: len(r)] == r for r in reached)
        radio = obj.getRole() == pyatspi.ROLE_RADIO_BUTTON and place[:-1] in groups
        if not inside and not radio:
            fail("Tab in '%s' never reaches %s" % (window.name, describe(obj)))


def walk_windows(bus, app, main):
    for steps, restore in WINDOWS:
        opened = []
        for opener, closer in steps:
            below = active_window(app)
            keys(opener)
            window = bus.wait(lambda: (lambda w: w if w is not None and w is not below else None)(active_window(app)))
            if window is None:
                fail("'%s' opens no window" % opener)
                break
            opened.append((window, closer))
            check_names(window)
            check_tab(bus, window)
        for window, closer in reversed(opened):
            keys(closer)
            if not bus.wait(lambda: not state(window, pyatspi.STATE_SHOWING)):
                fail("'%s' does not close '%s'" % (closer, window.name))
        if restore:
            keys(restore)
        if not bus.wait(lambda: active_window(app) is main):
            fail("the main window is not active again after '%s'" % " / ".join(o for o, _ in steps))
            return


def check_text(bus, app, main):
    view = find(main, lambda o: o.getRole() == pyatspi.ROLE_TERMINAL)
    if view is None:
        fail("no terminal in the main window")
        return
    text = view.queryText()
    question = "By what name do you wish to be known? "
    if not bus.wait(lambda: text.getText(0, -1).endswith(question)):
        fail("the colour view does not read the greeting: %r" % text.getText(0, -1))
    arrived = lambda line: any(source == view and line in data for source, data in bus.inserted)
    if not arrived(question):
        fail("the greeting raised no text-inserted event on the colour view")

    # A line from the world, after a name typed through the X server.
    keys("T e s t e r Return")
    line = "Keep these statistics? (y/n)"
    if not bus.wait(lambda: arrived(line)):
        fail("'%s' raised no text-inserted event on the colour view" % line)

    # The plain view shows the same text, escape sequences aside (Ctrl+M switches the views;
    # the plain view shows ESC as the glyph of its code page).
    reading = text.getText(0, -1)
    keys("ctrl+m")
    plain = bus.wait(lambda: find(main, lambda o: o.name == "Game text, plain view" and state(o, pyatspi.STATE_SHOWING)))
    if plain is None:
        fail("Ctrl+M shows no plain view")
    elif bus.wait(lambda: re.sub("\u2190\\[[0-9;]*[A-Za-z]", "", plain.queryText().getText(0, -1)) == reading) is None:
        fail("the colour view reads %r, the plain view %r" % (reading, plain.queryText().getText(0, -1)))
    keys("ctrl+m")


def main(program, world_program):
    world = subprocess.Popen([world_program, "--port", "0", "--hunger-seconds", "0"],
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    tarnwick = None
    try:
        port = int(world.stdout.readline().split()[1])
        config = tempfile.mkdtemp(prefix="tarnwick-a11y-")
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", TARNWICK_NO_HELP="1", XDG_CONFIG_HOME=config)
        bus = Bus()
        tarnwick = subprocess.Popen([program, "--connect", "127.0.0.1:%d" % port], env=env)

        def application():
            return next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "tarnwick"), None)

        app = bus.wait(application, START_SECONDS)
        if app is None:
            fail("Tarnwick does not appear on the accessibility bus")
            return 1
        main_window = bus.wait(lambda: active_window(app), START_SECONDS)
        if main_window is None:
            fail("the main window never becomes active")
            return 1
        check_names(main_window)
        check_text(bus, app, main_window)
        walk_windows(bus, app, main_window)
    finally:
        if tarnwick is not None:
            tarnwick.terminate()
            tarnwick.wait()
        world.terminate()
        world.wait()
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
