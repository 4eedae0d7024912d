#!/usr/bin/env python3
"""Writes the Open Board Format fixtures, from the format's published description alone (plain
JSON and zipfile, no code of the program): a single board (simple.obf), a package of two boards
that link to each other with a picture (package.obz), and the seed inputs of the two fuzz
targets. Run from any folder; writes next to itself and into tests/fuzz/corpus."""

import base64
import json
import struct
import zipfile
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
CORPUS = HERE.parent.parent / "fuzz" / "corpus"


def png(width, height, rgb):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + bytes(rgb) * width for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


RED = png(4, 3, (255, 0, 0))

SIMPLE = {
    "format": "open-board-0.1",
    "id": "simple",
    "locale": "en",
    "name": "Feelings",
    "buttons": [
        {"id": "1", "label": "happy", "vocalization": "I am happy", "background_color": "rgb(255, 255, 200)"},
        {"id": 2, "label": "sad", "image_id": "i1"},
        {"id": "3", "label": "more", "load_board": {"id": "other", "url": "http://127.0.0.1:9/other.obf"}},
        {"id": "4", "label": "lost picture", "image_id": "no-such-image"},
        {"id": "5", "label": "not in the grid"},
    ],
    "grid": {"rows": 2, "columns": 3, "order": [["3", None, "1"], [2, "4", None]]},
    "images": [
        {"id": "i1", "width": 4, "height": 3, "content_type": "image/png",
         "data": "data:image/png;base64," + base64.b64encode(RED).decode()},
    ],
    "sounds": [],
}

HOME = {
    "format": "open-board-0.1", "id": "home", "locale": "en", "name": "Home",
    "buttons": [
        {"id": "a", "label": "food", "load_board": {"id": "food", "path": "boards/food.obf"}},
        {"id": "b", "label": "red", "image_id": "red"},
    ],
    "grid": {"rows": 1, "columns": 2, "order": [["a", "b"]]},
    "images": [{"id": "red", "content_type": "image/png", "width": 4, "height": 3, "path": "images/red.png"}],
}

FOOD = {
    "format": "open-board-0.1", "id": "food", "locale": "en", "name": "Food",
    "buttons": [
        {"id": "x", "label": "apple", "vocalization": "an apple please"},
        {"id": "y", "label": "back", "load_board": {"id": "home", "path": "boards/home.obf"}},
    ],
    "grid": {"rows": 2, "columns": 1, "order": [["x"], ["y"]]},
}

MANIFEST = {
    "format": "open-board-0.1",
    "root": "boards/home.obf",
    "paths": {"boards": {"home": "boards/home.obf", "food": "boards/food.obf"},
              "images": {"red": "images/red.png"}},
}


def write_package(path, manifest, files):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("manifest.json", json.dumps(manifest))
        for name, data in files.items():
            z.writestr(name, data)


def main():
    (HERE / "simple.obf").write_text(json.dumps(SIMPLE, indent=2) + "\n")
    write_package(HERE / "package.obz", MANIFEST, {
        "boards/home.obf": json.dumps(HOME), "boards/food.obf": json.dumps(FOOD), "images/red.png": RED})

    obf = CORPUS / "fuzz_obf"
    obf.mkdir(parents=True, exist_ok=True)
    (obf / "simple.obf").write_text(json.dumps(SIMPLE))
    (obf / "home.obf").write_text(json.dumps(HOME))
    (obf / "nested.json").write_text("[" * 70 + "]" * 70)
    (obf / "escapes.json").write_text('{"format":"open-board-0.1","buttons":[{"id":"1","label":"\\ud83d\\ude00 \\u00e9\\n"}]}')

    obz = CORPUS / "fuzz_obz"
    obz.mkdir(parents=True, exist_ok=True)
    write_package(obz / "package.obz", MANIFEST, {
        "boards/home.obf": json.dumps(HOME), "boards/food.obf": json.dumps(FOOD), "images/red.png": RED})
    write_package(obz / "outside.obz", dict(MANIFEST, root="../home.obf"), {"boards/home.obf": json.dumps(HOME)})
    write_package(obz / "noroot.obz", {"format": "open-board-0.1"}, {})


if __name__ == "__main__":
    main()
