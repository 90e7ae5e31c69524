#!/usr/bin/python3
"""The editor as a screen reader finds it over AT-SPI, in a private X server.

Usage (inside a D-Bus session of its own):
    dbus-run-session -- /usr/bin/python3 check_screen_reader.py PROGRAM

Checks that moving the outline with the keys is heard as the focus moving from
space to space and from cell to cell. (That every control has a name, in each
language and scale, the widget tests read from the same accessible objects.)
"""
import os
import subprocess
import sys
import tempfile
import time

PROGRAM = sys.argv[1]
# Taken once the accessibility bus runs: the registry binds to it on import.
pyatspi = GLib = None


def start_display():
    """A private X server; returns it and its display name."""
    read, write = os.pipe()
    # Without a reset when the last client leaves: a program connecting just then would be turned away.
    server = subprocess.Popen(['Xvfb', '-displayfd', str(write), '-screen', '0', '1024x768x24', '-nolisten', 'tcp',
                               '-noreset'], pass_fds=[write], stderr=subprocess.DEVNULL)
    os.close(write)
    number = b''
    while not number.endswith(b'\n'):
        piece = os.read(read, 16)
        if not piece:
            sys.exit('Xvfb gave no display')
        number += piece
    os.close(read)
    return server, ':' + number.decode().strip()


def wait_for_bus(tries=100):
    """Starts the accessibility bus through the session bus, and waits until it answers: a program
    started before would not find it."""
    for _ in range(tries):
        asked = subprocess.run(['dbus-send', '--session', '--dest=org.a11y.Bus', '--print-reply', '/org/a11y/bus',
                                'org.a11y.Bus.GetAddress'], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if asked.returncode == 0 and b'unix:' in asked.stdout:
            return
        time.sleep(0.1)
    sys.exit('the accessibility bus did not start')


def find_application(tries=80):
    seen = []
    for _ in range(tries):
        seen = []
        desktop = pyatspi.Registry.getDesktop(0)
        # The list of applications is asked afresh: one that joined unnoticed would stay missing.
        desktop.clearCache()
        for app in desktop:
            seen.append(app.name if app is not None else None)
            if app is not None and (app.name or '').lower() == 'cryptwright':
                window = next((w for w in app if w is not None and w.name == 'Cryptwright'), None)
                if window is not None and window.childCount > 0:
                    return app
        time.sleep(0.25)
    sys.exit('the editor never showed up on the accessibility bus, which lists %s' % seen)


def run(home):
    """The program in English, with home as its own: no settings, tilesets or left work from
    another run, and only the session's buses kept."""
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', LANGUAGE='en', HOME=home)
    for name in ('XDG_CONFIG_HOME', 'XDG_CACHE_HOME', 'XDG_DATA_HOME', 'XDG_STATE_HOME'):
        env.pop(name, None)
    return subprocess.Popen([PROGRAM], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def heard_while(actions, settle=2000, longest=60000):
    """The names of the objects that took the focus while the shell actions ran, and
    for settle milliseconds after: a slow machine takes longer, never hears less."""
    heard = []

    def on_focus(event):
        if event.detail1 == 1:
            heard.append(event.source.name)

    def on_name(event):
        pass

    def start():
        process = subprocess.Popen(['bash', '-c', actions])
        GLib.timeout_add(100, lambda: wait_for(process))
        return False

    def wait_for(process):
        if process.poll() is None:
            return True
        GLib.timeout_add(settle, lambda: pyatspi.Registry.stop() or False)
        return False

    # As a screen reader does, it listens for names that change, which keeps the names it holds current.
    pyatspi.Registry.registerEventListener(on_focus, 'object:state-changed:focused')
    pyatspi.Registry.registerEventListener(on_name, 'object:property-change:accessible-name')
    # The program learns over the bus that someone listens before it sends what they listen for.
    GLib.timeout_add(1500, start)
    GLib.timeout_add(longest, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_focus, 'object:state-changed:focused')
    pyatspi.Registry.deregisterEventListener(on_name, 'object:property-change:accessible-name')
    return heard


# The window, once shown, given the keys; then a click on the maptile's top-left space, two arrow keys, a
# subtile laid with Space, away and back; slot A's palette shown and clicked in its top-left cell,
# and two arrow keys.
KEYS = r'''
win=$(xdotool search --sync --onlyvisible --name '^Cryptwright$' | head -1)
eval $(xdotool getwindowgeometry --shell "$win")
# With no window manager, the keys go to the window given the input focus.
xdotool windowfocus "$win"; sleep 0.5
xdotool mousemove $((X + 360)) $((Y + 50)) click 1; sleep 0.5
xdotool key --delay 400 Right Down space Left Right
xdotool key ctrl+1; sleep 0.3
xdotool mousemove $((X + 20)) $((Y + 100)) click 1; sleep 0.5
xdotool key --delay 400 Right Down
'''


def main():
    failures = []
    server, display = start_display()
    os.environ['DISPLAY'] = display
    global pyatspi, GLib
    try:
        wait_for_bus()
        import pyatspi
        from gi.repository import GLib
        home = tempfile.TemporaryDirectory()
        program = run(home.name)
        try:
            find_application()
            heard = [h for h in heard_while(KEYS) if h.startswith(('space', 'cell'))]
            print('heard:', heard)
            # Where each focus was, without what the space or cell holds.
            places = [', '.join(h.split(', ')[:2]) for h in heard]
            expected = ['space 1, 1', 'space 2, 1', 'space 2, 2', 'space 1, 2', 'space 2, 2',
                        'cell 1, 1 of slot A', 'cell 2, 1 of slot A', 'cell 2, 2 of slot A']
            if places != expected:
                failures.append('the outline was not followed: %s' % heard)
            # The space laid on is heard with what it holds now.
            elif heard[2] == heard[4] or not heard[2].endswith('blank'):
                failures.append('the space laid on was not heard anew: %s' % heard)
        finally:
            program.terminate()
            program.wait(10)
            home.cleanup()
    finally:
        # Gone before this returns: a server still closing would take the display's socket from the next one.
        server.terminate()
        server.wait(10)
    for failure in failures:
        print('FAIL:', failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
