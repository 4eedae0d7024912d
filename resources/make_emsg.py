#!/usr/bin/env python3
"""Writes EMsg_128.bin, the error-message table: a big-endian 16-bit count, then for each
message a length-prefixed title and a length-prefixed text (one length byte each).

Run from this folder when the messages change; the output is committed."""

import struct
import sys
from pathlib import Path

MESSAGES = [
    ("Open File Error",
     "A problem occured while trying to open #1S. The file may be open by another application."),
    ("Read File Error",
     "A problem occured while trying to read #1S. The file may be corrupted."),
    ("Write File Error",
     "An unexpected problem occured while trying to save #1S."),
    ("Create File Error",
     "A problem occured while trying to create or open #1S. The file may already exist and be "
     "opened by another application."),
    ("File does not exist",
     "The requested file does not exist, or you do not have permission to open the specified file."),
    ("File exists",
     "The specified file already exists. Do you wish to replace it?"),
]


def pstring(text: str) -> bytes:
    data = text.encode("ascii")
    if len(data) > 255:
        sys.exit(f"message too long for a length byte: {text!r}")
    return bytes([len(data)]) + data


def main() -> None:
    out = bytearray(struct.pack(">H", len(MESSAGES)))
    for title, text in MESSAGES:
        out += pstring(title) + pstring(text)
    target = Path(__file__).with_name("EMsg_128.bin")
    target.write_bytes(bytes(out))
    print(f"{target}: {len(out)} bytes, {len(MESSAGES)} messages")


if __name__ == "__main__":
    main()
