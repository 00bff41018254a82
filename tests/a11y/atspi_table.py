#!/usr/bin/env python3
# The table as a screen reader reads it, through a real AT-SPI client: the program
# runs on an X server of its own (Xvfb) with a session bus of its own, opens Free Cell
# with a fixed seed, and the test reads every pile's name and value, makes a move by
# keys, and hears and reads the change.
#   atspi_table.py PROGRAM
# Exits 77 (skipped) only when the X server, the bus or the AT-SPI bindings are missing.
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
SEED = "5"
RANKS = "A23456789TJQK"
RANK_NAMES = ["Ace", "2", "3", "4", "5", "6", "7", "8", "9", "10", "Jack", "Queen", "King"]
SUIT_NAMES = {"C": "Clubs", "S": "Spades", "D": "Diamonds", "H": "Hearts"}


def card_name(text):
    return "%s of %s" % (RANK_NAMES[RANKS.index(text[0].upper())], SUIT_NAMES[text[1].upper()])


def fail(message):
    print("FAIL: " + message, flush=True)
    sys.exit(1)


# ---- outside: an X server and a session bus of the test's own ------------------------

def outer(program):
    for tool in ("Xvfb", "dbus-run-session"):
        if not shutil.which(tool):
            print("skipped: %s is not installed" % tool)
            return SKIP
    probe = subprocess.run([sys.executable, "-c", "import pyatspi"], capture_output=True)
    if probe.returncode != 0:
        print("skipped: the AT-SPI bindings (python3-pyatspi) are not installed")
        return SKIP
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        display = numbers.readline().strip()
    if not display:
        fail("Xvfb did not start")
    env = dict(os.environ, DISPLAY=":" + display, CARDENZA_ATSPI_INSIDE="1", QT_QPA_PLATFORM="xcb",
               NO_AT_BRIDGE="0", GTK_A11Y="atspi")
    try:
        return subprocess.run(["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), program],
                              env=env, timeout=240).returncode
    finally:
        xvfb.terminate()
        xvfb.wait()


# ---- inside: the program and the client ---------------------------------------------------

def expected_deal(program, environment):
    printed = subprocess.run([program, "--print-deal", "Free Cell", "--seed", SEED],
                             env=dict(environment, QT_QPA_PLATFORM="offscreen"),
                             capture_output=True, text=True, check=True).stdout
    deal = {}
    for line in printed.splitlines():
        name, _, cards = line.partition(":")
        deal[name] = cards.split()
    return deal


class Client:
    def __init__(self):
        import pyatspi
        from gi.repository import GLib
        self.pyatspi = pyatspi
        self.context = GLib.MainContext.default()
        self.heard = []
        pyatspi.Registry.registerEventListener(self.hear, "object:property-change:accessible-description",
                                               "object:property-change:accessible-name",
                                               "object:state-changed:focused")

    def hear(self, event):
        try:
            self.heard.append((event.type, event.source.name, event.detail1))
        except Exception:  # an object that went away meanwhile
            pass

    def pump(self, seconds, until=lambda: False):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            while self.context.iteration(False):
                pass
            if until():
                return True
            time.sleep(0.02)
        return until()

    def find_window(self, prefix, seconds=60):
        found = []

        def look():
            desktop = self.pyatspi.Registry.getDesktop(0)
            for app in desktop:
                if app is None:
                    continue
                for window in app:
                    if window is not None and window.name.startswith(prefix):
                        found.append(window)
                        return True
            return False
        if not self.pump(seconds, look):
            fail("no window whose name starts with %r appeared" % prefix)
        return found[0]

    def key(self, keysym):
        self.pyatspi.Registry.generateKeyboardEvent(keysym, None, self.pyatspi.KEY_SYM)
        self.pump(0.15)


def piles_of(window):
    piles = {}
    for child in window:
        if child is not None and child.name:
            piles[child.name] = child
    return piles


def inside(program):
    config = tempfile.mkdtemp(prefix="cardenza-atspi-")
    environment = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       CARDENZA_CONFIG_DIR=config)
    deal = expected_deal(program, environment)
    client = Client()
    game = subprocess.Popen([program, "--game", "Free Cell", "--seed", SEED], env=environment)
    try:
        return check_table(client, deal)
    finally:
        game.terminate()
        try:
            game.wait(timeout=20)
        except subprocess.TimeoutExpired:
            game.kill()
        shutil.rmtree(config, ignore_errors=True)


RIGHT, LEFT, RETURN = 0xff53, 0xff51, 0xff0d
# Free Cell's piles in reading order: the free cells and foundations, then the columns.
ORDER = ["FreePileView%d" % i for i in range(1, 5)] + ["FoundPileView%d" % i for i in range(1, 5)] \
    + ["TableauPileView%d" % i for i in range(1, 9)]
NAMES = ["Free cell %d" % i for i in range(1, 5)] + ["Foundation %d" % i for i in range(1, 5)] \
    + ["Column %d" % i for i in range(1, 9)]
# The start of the deal's winning line (tests/games/keywins/FreeCell.txt): the sixth
# move puts the first card home.
MOVES = [("TableauPileView5", "TableauPileView6"), ("TableauPileView1", "FreePileView1"),
         ("TableauPileView1", "FreePileView2"), ("TableauPileView1", "FreePileView3"),
         ("TableauPileView1", "FreePileView4"), ("TableauPileView1", "FoundPileView1")]


def reading(cards, fans):
    if not cards:
        return "empty"
    if not fans:
        return card_name(cards[-1])
    return " on ".join(card_name(card) for card in reversed(cards))


class KeyHand:
    """Moves the cursor by Right and Left to a pile and presses Enter there."""

    def __init__(self, client):
        self.client = client
        self.at = None

    def go_to(self, view):
        target = ORDER.index(view)
        if self.at is None:
            self.client.key(RIGHT)  # the first key shows the cursor on the first pile
            self.at = 0
        while self.at != target:
            self.client.key(RIGHT if target > self.at else LEFT)
            self.at += 1 if target > self.at else -1

    def move(self, source, target):
        self.go_to(source)
        self.client.key(RETURN)
        self.go_to(target)
        self.client.key(RETURN)


def check_table(client, deal):
    window = client.find_window("FreeCell")
    piles = piles_of(window)
    for name in NAMES:
        if name not in piles:
            fail("no pile named %r among %r" % (name, sorted(piles)))

    def check_all(what):
        for view, name in zip(ORDER, NAMES):
            want = reading(deal[view], view.startswith("Tableau"))
            if not client.pump(5, lambda: piles[name].description == want):
                fail("%s: %s reads %r instead of %r" % (what, name, piles[name].description, want))
    check_all("the deal")
    print("read the %d piles of the deal" % len(NAMES), flush=True)

    hand = KeyHand(client)
    for number, (source, target) in enumerate(MOVES, 1):
        client.heard.clear()
        hand.move(source, target)
        deal[target].append(deal[source].pop())
        check_all("move %d" % number)
        heard = [name for kind, name, _ in client.heard if kind.endswith("accessible-description")]
        for view in (source, target):
            if NAMES[ORDER.index(view)] not in heard:
                fail("move %d: no change heard for %s; heard %r" % (number, NAMES[ORDER.index(view)], client.heard))
        if not piles[NAMES[ORDER.index(target)]].getState().contains(client.pyatspi.STATE_FOCUSED):
            fail("move %d: the focus is not on %s" % (number, NAMES[ORDER.index(target)]))
    print("made %d moves by keys and heard each change" % len(MOVES), flush=True)

    # The score is in the window's name.
    if not client.pump(5, lambda: window.name == "FreeCell   Score: 1"):
        fail("the window is called %r" % window.name)
    if not any(kind.endswith("accessible-name") and name == "FreeCell   Score: 1" for kind, name, _ in client.heard):
        fail("the window's new name was not heard; heard %r" % client.heard)
    print("the window reads its score", flush=True)
    return 0


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: atspi_table.py PROGRAM")
    program = os.path.abspath(sys.argv[1])
    if os.environ.get("CARDENZA_ATSPI_INSIDE") == "1":
        return inside(program)
    return outer(program)


if __name__ == "__main__":
    sys.exit(main())
