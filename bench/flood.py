#!/usr/bin/env python3
"""The end-to-end flood: the practice world's `flood N` through the real window under Xvfb.

The program connects (--connect) to a relay in front of the practice world. The relay logs in
for the player, types `flood N` and times from the first byte of the flood leaving the world to
the answer of the trigger on the last line ("say flood answered N") reaching it. The program's
resident size is read from /proc while it runs.

    flood.py --build DIR --lines N --triggers T [--modern] [--memory] [--history]

Prints one line of `key=value` figures.
"""
import argparse
import os
import select
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time


# The memory run's floods: 2 MB, then 20 MB three times (the world's longest flood).
HISTORY_FLOOD = 200000
MEMORY_FLOODS = (20000, 200000)


def resident_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def start_xvfb():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1600x1000x24", "-nolisten", "tcp"],
                            pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            raise RuntimeError("Xvfb did not start")
        number += chunk
    os.close(read_end)
    return xvfb, ":" + number.decode().strip()


class Relay:
    """Passes bytes both ways between the program and the world, and types for the player."""

    def __init__(self, world_port):
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(1)
        self.port = self.listener.getsockname()[1]
        self.world_port = world_port
        self.client = self.world = None
        self.seen = b""  # the world's recent text, for the login prompts
        self.heard = b""  # the program's recent text, for the answer
        self.flood_sent = None
        self.first_byte = None
        self.answered = None
        self.answer = b""

    def accept(self, timeout):
        self.listener.settimeout(timeout)
        self.client, _ = self.listener.accept()
        self.world = socket.create_connection(("127.0.0.1", self.world_port))
        for s in (self.client, self.world):
            s.setblocking(False)
            s.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)

    def type(self, line):
        self.world.sendall(line.encode() + b"\r\n")

    def pump(self, until, timeout):
        """Relays until until() holds; false on a timeout or a closed connection."""
        deadline = time.monotonic() + timeout
        while not until():
            left = deadline - time.monotonic()
            if left <= 0:
                return False
            readable, _, _ = select.select([self.client, self.world], [], [], min(left, 0.5))
            for s in readable:
                data = s.recv(1 << 20)
                now = time.monotonic()
                if not data:
                    return False
                if s is self.world:
                    if self.flood_sent is not None and self.first_byte is None:
                        self.first_byte = now
                    self.seen = (self.seen + data)[-4096:]
                    self.client.setblocking(True)
                    self.client.sendall(data)
                    self.client.setblocking(False)
                else:
                    self.heard = (self.heard + data)[-4096:]
                    if self.flood_sent is not None and self.answered is None and self.answer in self.heard:
                        self.answered = now
                    self.world.sendall(data)
        return True

    def log_in(self):
        steps = [(b"By what name", "Bench"), (b"Choose a password", "secret"), (b"Keep these statistics?", "y")]
        while True:
            if not self.pump(lambda: any(p in self.seen for p, _ in steps) or b"Type 'help'" in self.seen, 20):
                raise RuntimeError("the login did not finish: " + repr(self.seen[-200:]))
            if b"Type 'help'" in self.seen:
                return
            for prompt, answer in steps:
                if prompt in self.seen:
                    self.seen = b""
                    self.type(answer)
                    break

    def flood(self, lines, timeout=120):
        self.seen = self.heard = b""
        self.first_byte = self.answered = None
        self.answer = f"flood answered {lines}\r".encode()
        self.flood_sent = time.monotonic()
        self.type(f"flood {lines}")
        if not self.pump(lambda: self.answered is not None, timeout):
            raise RuntimeError("no answer to the flood's last line")
        return self.answered - self.first_byte

    def settle(self, seconds):
        self.pump(lambda: False, seconds)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--lines", type=int, default=100000)
    parser.add_argument("--triggers", type=int, default=100)
    parser.add_argument("--modern", action="store_true", help="Modern Server Mode on")
    parser.add_argument("--memory", action="store_true", help="resident sizes over floods of growing length")
    parser.add_argument("--history", action="store_true",
                        help="the long history on (with --memory: a million lines kept, five floods of 200000)")
    parser.add_argument("--screenshot", help="a PNG of the screen after the last flood (needs imagemagick)")
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    lengths = (HISTORY_FLOOD,) if args.memory and args.history else MEMORY_FLOODS if args.memory else (args.lines,)
    home = tempfile.mkdtemp(prefix="tarnwick-flood-")
    children = []
    try:
        options = os.path.join(home, "flood.cfg")
        subprocess.run([os.path.join(build, "bench", "flood_options"), os.path.join(build, "practice.cfg"), options,
                        str(args.triggers), ",".join(str(n) for n in lengths)], check=True)
        os.makedirs(os.path.join(home, "tarnwick"))
        with open(os.path.join(home, "tarnwick", "TARNWICK.INI"), "w") as ini:
            ini.write(f"[Options]\nDefaultCFG={options}\n\n[Modern]\nEnabled={'true' if args.modern else 'false'}\n")
            if args.history:
                # The default number of lines kept, or for the memory figure the most there can be.
                ini.write("\n[View]\nLongHistory=true\n" + ("HistoryLines=1000000\n" if args.memory else ""))

        world = subprocess.Popen([os.path.join(build, "practice", "practice_world"), "--port", "0",
                                  "--hunger-seconds", "0", "--seed", "1"],
                                 stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        children.append(world)
        world_port = int(world.stdout.readline().split()[1])
        relay = Relay(world_port)
        xvfb, display = start_xvfb()
        children.append(xvfb)

        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=home, TARNWICK_NO_HELP="1")
        client = subprocess.Popen([os.path.join(build, "tarnwick"), "--connect", f"127.0.0.1:{relay.port}"],
                                  env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        children.append(client)
        relay.accept(30)
        relay.log_in()
        relay.settle(1.0)
        figures = {"triggers": args.triggers, "modern": int(args.modern), "lines": args.lines,
                   "history": int(args.history)}
        if args.memory and args.history:
            figures["idle_kb"] = resident_kb(client.pid)
            # A million lines into the history; the last of them are laid out once the game is quiet.
            for _ in range(5):
                relay.flood(HISTORY_FLOOD)
                relay.settle(3.0)
            figures["history_kb"] = resident_kb(client.pid)
        elif args.memory:
            figures["idle_kb"] = resident_kb(client.pid)
            # The same flood again and again, longer each time: what stays resident must not grow.
            for n, lines in enumerate(MEMORY_FLOODS + (MEMORY_FLOODS[-1],) * 2):
                relay.flood(lines)
                relay.settle(1.0)
                figures[f"after_{n + 1}_kb"] = resident_kb(client.pid)
        else:
            relay.flood(args.lines)  # the first flood grows the buffers once
            relay.settle(0.5)
            times = []
            for _ in range(7):
                times.append(relay.flood(args.lines))
                relay.settle(0.3)
            figures["seconds"] = f"{sorted(times)[3]:.3f}"
            figures["best"] = f"{min(times):.3f}"
        if args.screenshot:
            subprocess.run(["import", "-display", display, "-window", "root", args.screenshot], check=False)
        print(" ".join(f"{k}={v}" for k, v in figures.items()))
    finally:
        for child in reversed(children):
            child.send_signal(signal.SIGTERM)
        for child in reversed(children):
            try:
                child.wait(5)
            except subprocess.TimeoutExpired:
                child.kill()
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
