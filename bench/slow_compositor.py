#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Stands between Wayland clients and a compositor and holds everything the compositor sends for DELAY
seconds, as a compositor busy with other work does; requests and file descriptors pass as they are.
Usage: slow_compositor.py LISTEN_PATH COMPOSITOR_PATH DELAY"""

import queue
import socket
import sys
import threading
import time


def carry(source, sink, delay):
    held = queue.Queue()

    def send():
        while (item := held.get()) is not None:
            time.sleep(max(0.0, item[0] - time.monotonic()))
            try:
                socket.send_fds(sink, [item[1]], item[2])
            except OSError:
                pass
            for fd in item[2]:
                socket.close(fd)
        sink.close()

    threading.Thread(target=send, daemon=True).start()
    data = True
    while data:
        try:
            data, fds, _, _ = socket.recv_fds(source, 65536, 32)
        except OSError:
            data, fds = b"", []
        held.put((time.monotonic() + delay, data, fds) if data else None)


server = socket.socket(socket.AF_UNIX)
server.bind(sys.argv[1])
server.listen()
while True:
    client, _ = server.accept()
    compositor = socket.socket(socket.AF_UNIX)
    compositor.connect(sys.argv[2])
    threading.Thread(target=carry, args=(client, compositor, 0.0), daemon=True).start()
    threading.Thread(target=carry, args=(compositor, client, float(sys.argv[3])), daemon=True).start()
