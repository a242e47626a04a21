#!/usr/bin/env python3
"""Stands in for serial adapters: one pseudo-terminal per link given.

    pty_holder.py LINK...

Each LINK becomes a symbolic link to a new terminal's device; whatever a
program writes to that device is appended to LINK.received. Prints "ready"
once every link exists and runs until it is ended.
"""
import os
import select
import sys


def main() -> int:
    masters = {}
    for link in sys.argv[1:]:
        master, slave = os.openpty()
        # The far side stays open so the terminal survives between openings.
        masters[master] = (link + ".received", slave)
        if os.path.lexists(link):
            os.unlink(link)
        os.symlink(os.ttyname(slave), link)
    print("ready", flush=True)
    while masters:
        readable, _, _ = select.select(list(masters), [], [])
        for master in readable:
            try:
                data = os.read(master, 4096)
            except OSError:
                continue
            with open(masters[master][0], "ab") as received:
                received.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
