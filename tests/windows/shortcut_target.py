#!/usr/bin/python3
"""Prints the target of a Windows shortcut (.lnk) the way the shell resolves it.

    shortcut_target.py FILE.lnk

Reads the shell link's own layout: the header, the item list (skipped), then the link
information whose local base path is the target's full path in the ANSI code page, here
decoded as GBK, the code page of the Chinese prefix the installer runs in. Prints the path
and the icon location from the string part, one a line; exits with 1 on anything that is not
a shell link with a local target.
"""
import struct
import sys

HEADER_SIZE = 0x4C
SHELL_LINK_CLSID = bytes.fromhex("0114020000000000c000000000000046")
HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH = 0x1, 0x2, 0x4, 0x8
HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON_LOCATION, IS_UNICODE = 0x10, 0x20, 0x40, 0x80
LOCAL_VOLUME = 0x1


def read_target(data):
    if len(data) < HEADER_SIZE or struct.unpack_from("<I", data)[0] != HEADER_SIZE:
        raise ValueError("no shell link header")
    if data[4:20] != SHELL_LINK_CLSID:
        raise ValueError("not the shell link class")
    flags = struct.unpack_from("<I", data, 0x14)[0]
    at = HEADER_SIZE
    if flags & HAS_ID_LIST:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if not flags & HAS_LINK_INFO:
        raise ValueError("no link information")
    info_size, _, info_flags, _, base_offset = struct.unpack_from("<5I", data, at)
    if not info_flags & LOCAL_VOLUME:
        raise ValueError("the target is not on a local volume")
    base = data[at + base_offset : at + info_size].split(b"\0", 1)[0]
    at += info_size
    strings = []
    for flag in (HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON_LOCATION):
        if flags & flag:
            count = struct.unpack_from("<H", data, at)[0]
            width = 2 if flags & IS_UNICODE else 1
            raw = data[at + 2 : at + 2 + count * width]
            # Wine counts the terminating zero in, Windows does not.
            strings.append(raw.decode("utf-16-le" if width == 2 else "gbk").rstrip("\0"))
            at += 2 + count * width
        else:
            strings.append("")
    return base.decode("gbk"), strings[-1]


def main():
    try:
        with open(sys.argv[1], "rb") as link:
            target, icon = read_target(link.read())
    except (OSError, ValueError, struct.error, UnicodeDecodeError, IndexError) as error:
        print(f"{sys.argv[1]}: {error}", file=sys.stderr)
        return 1
    print(target)
    print(icon)
    return 0


if __name__ == "__main__":
    sys.exit(main())
