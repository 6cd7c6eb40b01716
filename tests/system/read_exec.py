#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Prints, as a JSON list, the command a desktop runs for an entry: the Exec value read and unescaped by
GLib's key file reader, field codes expanded and split into arguments. Usage: read_exec.py ENTRY"""

import json
import sys

import gi

gi.require_version("GLib", "2.0")
from gi.repository import GLib  # noqa: E402

keys = GLib.KeyFile()
keys.load_from_file(sys.argv[1], GLib.KeyFileFlags.NONE)
command = keys.get_string("Desktop Entry", "Exec").replace("%%", "%")
ok, argv = GLib.shell_parse_argv(command)
print(json.dumps(argv))
