#!/usr/bin/env python3
"""Writes the board file fixtures v0.2dv ... v5.2dv and, beside each, the JSON that
`vorn-board dump` must print for it (the values after reading and converting).

Built from the record tables of the board file alone, with plain struct packing, so that the
fixtures do not depend on the code they test. Run from any folder; writes next to itself."""

import datetime
import json
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent


# ---- field encodings ------------------------------------------------------------------------

def rect(l, t, r, b):
    return struct.pack(">hhhh", t, l, b, r)


def font(size, bold, italic, underline, fixed, serif, name):
    return struct.pack(">6h", size, bold, italic, underline, fixed, serif) + name.encode().ljust(64, b"\0")


def window(r, h, v):
    # h_scroll: low half then high half, each big-endian; v_scroll: little-endian.
    return rect(*r) + struct.pack(">HH", h & 0xFFFF, (h >> 16) & 0xFFFF) + struct.pack("<i", v)


def date5(d):
    if d is None:
        return bytes(8)
    dow = (d.weekday() + 1) % 7  # Sunday 0
    return struct.pack(">BBHBBBB", d.month, d.day, d.year, d.hour, dow, d.second, d.minute)


def prefs2(flags, unused2, ncols, mode, fnt, count, wgo, wedit, wgen, view_as, sort_by):
    data = (struct.pack("<HH", flags, unused2) + struct.pack(">h", ncols) + struct.pack("B", mode) + fnt +
            struct.pack(">h", count) + window(*wgo) + window(*wedit) + window(*wgen) +
            struct.pack("BB", view_as, sort_by) + bytes(2) + bytes(124))
    assert len(data) == 261
    return data


def link2(d, ltype, orig, path=b"", mac=b"", win=b""):
    rec = date5(d) + struct.pack("B", ltype) + bytes(3) + rect(*orig) + \
        struct.pack(">iii", len(path), len(mac), len(win)) + bytes(64)
    assert len(rec) == 96
    return rec, path + mac + win


def item2(flags, bounds, fnt, src, dst, polygon=None):
    rec = struct.pack("<I", flags) + rect(*bounds) + fnt + src[0] + dst[0] + bytes(32)
    assert len(rec) == 312
    poly = b""
    if polygon is not None:
        poly = b"".join(struct.pack(">hh", v, h) for v, h in polygon)
        assert len(poly) == 64
    return rec + poly + src[1] + dst[1]


def prefs1(mode, count, flags, edit_r, h, v, ncols, fsize, go_r, text_r):
    data = (struct.pack(">Bh", mode, count) + struct.pack("<I", flags) + rect(*edit_r) +
            struct.pack(">hhhh", h, v, ncols, fsize) + rect(*go_r) + rect(*text_r) + bytes(104))
    assert len(data) == 143
    return data


def link1(d, ltype, orig, text=None, filename=None):
    if d is None:
        date = bytes(14)
    else:
        dow = (d.weekday() + 1) % 7
        date = struct.pack(">7h", d.year, d.month, d.day, d.hour, d.minute, d.second, dow)
    if text is not None:
        u = text.encode()[:262].ljust(262, b"\0")
    elif filename is not None:
        # vRefNum and parID of the old platform, then the name with its length byte.
        u = (struct.pack(">hi", -1, 1234) + bytes([len(filename)]) + filename.encode()).ljust(262, b"\0")
    else:
        u = bytes(262)
    content = struct.pack("B", ltype) + bytes(7) + rect(*orig) + bytes(64) + u + bytes(2)
    assert len(content) == 344
    rec = struct.pack(">I", 0xDEADBEEF) + date + bytes(2) + content
    assert len(rec) == 364
    return rec


def item1(bounds, flags, src, dst, rgn8=None):
    rgn = bytes(32) if rgn8 is None else b"".join(struct.pack(">hh", v, h) for v, h in rgn8)
    rec = rect(*bounds) + struct.pack("<I", flags) + rgn + bytes(32) + src + dst
    assert len(rec) == 804
    return rec


# ---- expected dump values --------------------------------------------------------------------

def jfont(size, bold, italic, underline, fixed, serif, name):
    return {"size": size, "bold": bold, "italic": italic, "underline": underline, "fixed": fixed,
            "serif": serif, "name": name}


def jwin(r, h, v):
    return {"rect": list(r), "h_scroll": h, "v_scroll": v}


def jdate(d):
    return None if d is None else d.strftime("%Y-%m-%dT%H:%M:%S")


def jlink(ltype, d, orig, text=None, path=None):
    out = {"type": ltype, "date": jdate(d), "orig": list(orig)}
    if ltype in (1, 4, 5):
        out["text"] = text if text is not None else ""
    elif ltype in (2, 3):
        out["path"] = path if path is not None else ""
    return out


def jitem(flags, bounds, fnt, src, dst, polygon=None):
    return {"flags": flags, "bounds": list(bounds), "font": fnt,
            "polygon": None if polygon is None else [list(p) for p in polygon], "source": src, "dest": dst}


def jprefs(flags, ncols, mode, fnt, wgo, wedit, wgen, view_as, sort_by):
    return {"flags": flags, "num_columns": ncols, "mode": mode, "font": fnt, "wind_go": wgo,
            "wind_edit": wedit, "wind_gen": wgen, "view_as": view_as, "sort_by": sort_by}


def write(name, version, body, expected):
    (HERE / f"{name}.2dv").write_bytes(bytes([version]) + body)
    (HERE / f"{name}.json").write_text(json.dumps(expected, indent=2) + "\n")


D1 = datetime.datetime(1998, 3, 14, 10, 20, 30)
D2 = datetime.datetime(2001, 12, 31, 23, 59, 59)
D3 = datetime.datetime(2026, 12, 5, 8, 3, 42)
D4 = datetime.datetime(2004, 2, 29, 0, 0, 1)
ARIAL10 = jfont(10, 0, 0, 0, 0, 0, "Arial")
RGN8 = [(0, 0), (0, 100), (20, 100), (20, 0), (1, 1), (2, 2), (3, 3), (4, 4)]
POLY16 = [(i, 100 - i * 3) for i in range(16)]


def version0():
    edit, go, text = (10, 20, 400, 300), (0, 0, 640, 480), (50, 60, 350, 260)
    body = prefs1(2, 2, 0x0005, edit, 5, -3, 0, 10, go, text)
    body += item1((0, 0, 100, 20), 0x50, link1(D1, 1, (0, 0, 0, 0), text="Hello"),
                  link1(None, 1, (0, 0, 0, 0), text="World"), rgn8=RGN8)
    body += item1((0, 21, 80, 41), 0x00, link1(D2, 2, (0, 0, 64, 48), filename="photo.jpg"),
                  link1(D2, 3, (0, 0, 0, 0), filename="notes.txt"))
    expected = {
        "version": 0,
        "prefs": jprefs(0x1005, 4, 2, ARIAL10, jwin(go, 5, -3), jwin(edit, 5, -3), jwin(text, 5, -3), 4, 2),
        "items": [
            jitem(0x50, (0, 0, 100, 20), ARIAL10, jlink(1, D1, (0, 0, 0, 0), text="Hello"),
                  jlink(1, None, (0, 0, 0, 0), text="World"), polygon=RGN8 + [(0, 0)] * 8),
            jitem(0, (0, 21, 80, 41), ARIAL10, jlink(2, D2, (0, 0, 64, 48), path="photo.jpg"),
                  jlink(3, D2, (0, 0, 0, 0), path="notes.txt")),
        ],
    }
    write("v0", 0, body, expected)


def version1():
    edit, go, text = (1, 2, 3, 4), (5, 6, 7, 8), (9, 10, 11, 12)
    long_text = "x" * 262  # fills the field without a NUL
    body = prefs1(2, 1, 0x2008 | 0x0002, edit, -1, 300, 3, 10, go, text)
    body += item1((-5, -6, 70, 30), 0x20, link1(D4, 1, (0, 0, 0, 0), text=long_text),
                  link1(D4, 4, (0, 0, 0, 0), text="http://example.com/"))
    expected = {
        "version": 1,
        "prefs": jprefs(0x1002, 3, 2, ARIAL10, jwin(go, -1, 300), jwin(edit, -1, 300), jwin(text, -1, 300), 5, 2),
        "items": [
            jitem(0x20, (-5, -6, 70, 30), ARIAL10, jlink(1, D4, (0, 0, 0, 0), text=long_text),
                  jlink(4, D4, (0, 0, 0, 0), text="http://example.com/")),
        ],
    }
    write("v1", 1, body, expected)


def version2():
    edit, go, text = (0, 0, 500, 400), (0, 0, 800, 600), (0, 0, 0, 0)
    body = prefs1(1, 1, 0x8000, edit, 0, 0, 2, 10, go, text)
    body += item1((0, 0, 320, 240), 0x04, link1(D1, 5, (0, 0, 320, 240), text="http://example.com/a.png"),
                  link1(None, 0, (0, 0, 0, 0)))
    expected = {
        "version": 2,
        "prefs": jprefs(0x9000, 2, 1, ARIAL10, jwin(go, 0, 0), jwin(edit, 0, 0), jwin(text, 0, 0), 4, 2),
        "items": [
            jitem(0x04, (0, 0, 320, 240), ARIAL10, jlink(5, D1, (0, 0, 320, 240), text="http://example.com/a.png"),
                  jlink(0, None, (0, 0, 0, 0))),
        ],
    }
    write("v2", 2, body, expected)


def version3():
    wgo, wedit, wgen = ((0, 0, 640, 480), 0x00010002, 7), ((10, 10, 300, 200), -2, 0x00010002), \
        ((20, 30, 40, 50), 0, 0)
    board_font = font(14, 1, 0, 0, 0, 1, "Times New Roman")
    body = prefs2(0x2008 | 0x0400, 0, 2, 2, board_font, 1, wgo, wedit, wgen, 9, 9)
    item_font = font(9, 0, 1, 0, 1, 0, "Courier New")
    body += item2(0x40, (3, 4, 50, 24), item_font,
                  link2(D2, 1, (0, 0, 0, 0), path=b"Three\0"), link2(D2, 1, (0, 0, 0, 0), path=b"3\0"))
    expected = {
        "version": 3,
        "prefs": jprefs(0x1400, 2, 2, jfont(14, 1, 0, 0, 0, 1, "Times New Roman"), jwin(*wgo), jwin(*wedit),
                        jwin(*wgen), 5, 2),
        "items": [
            jitem(0x40, (3, 4, 50, 24), jfont(9, 0, 1, 0, 1, 0, "Courier New"),
                  jlink(1, D2, (0, 0, 0, 0), text="Three"), jlink(1, D2, (0, 0, 0, 0), text="3")),
        ],
    }
    write("v3", 3, body, expected)


def version4():
    w = ((0, 0, 0, 0), 0, 0)
    board_font = font(12, 0, 0, 0, 0, 0, "Arial")
    body = prefs2(0x0001, 0, 4, 2, board_font, 2, w, w, w, 4, 1)
    f12 = font(12, 0, 0, 0, 0, 0, "Arial")
    body += item2(0x00, (0, 0, 200, 100), f12, link2(D3, 2, (0, 0, 200, 100), path=b"backdrop.png\0"),
                  link2(None, 0, (0, 0, 0, 0)))
    body += item2(0x00, (10, 110, 60, 130), f12,
                  link2(D3, 5, (0, 0, 16, 16), path=b"http://example.com/b.gif\0"),
                  link2(D3, 4, (0, 0, 0, 0), path=b"http://example.com/\0"))
    a12 = jfont(12, 0, 0, 0, 0, 0, "Arial")
    expected = {
        "version": 4,
        "prefs": jprefs(0x0201, 4, 2, a12, jwin(*w), jwin(*w), jwin(*w), 4, 1),
        "items": [
            jitem(0x04, (0, 0, 200, 100), a12, jlink(2, D3, (0, 0, 200, 100), path="backdrop.png"),
                  jlink(0, None, (0, 0, 0, 0))),
            jitem(0x00, (10, 110, 60, 130), a12, jlink(5, D3, (0, 0, 16, 16), text="http://example.com/b.gif"),
                  jlink(4, D3, (0, 0, 0, 0), text="http://example.com/")),
        ],
    }
    write("v4", 4, body, expected)


def version5():
    wgo, wedit, wgen = ((100, 100, 740, 580), 0x00010002, 0x00010002), ((0, 0, 320, 240), 12, -12), \
        ((-10, -20, 30, 40), -65536, 65535)
    board_font = font(12, 0, 0, 0, 0, 0, "Arial")
    body = prefs2(0xA5A5, 0x1234, 5, 2, board_font, 4, wgo, wedit, wgen, 5, 2)
    f12 = font(12, 0, 0, 0, 0, 0, "Arial")
    fbold = font(18, 1, 1, 1, 0, 0, "Liberation Sans")
    body += item2(0x00010090, (0, 0, 40, 20), f12, link2(D3, 1, (0, 0, 0, 0), path=b"A\0"),
                  link2(None, 0, (0, 0, 0, 0)), polygon=POLY16)
    # A path trailer without its NUL, and a second trailer that is skipped.
    body += item2(0x00, (0, 21, 40, 41), fbold, link2(D1, 1, (0, 0, 0, 0), path=b"Title\0"),
                  link2(D1, 1, (0, 0, 0, 0), path=b"abcd", mac=b"MAC"))
    body += item2(0x00, (0, 42, 40, 62), f12, link2(D1, 1, (0, 0, 0, 0), path=b"File\0"),
                  link2(D1, 3, (0, 0, 0, 0), path=b"fixture.txt\0", win=b"/nonexistent/vorn/fixture.txt\0"))
    # A text link without text, and a link type this program does not know.
    body += item2(0x60, (0, 63, 40, 83), f12, link2(None, 1, (1, 2, 3, 4)), link2(None, 7, (0, 0, 0, 0)))
    a12 = jfont(12, 0, 0, 0, 0, 0, "Arial")
    expected = {
        "version": 5,
        "prefs": jprefs(0xA5A5, 5, 2, a12, jwin(*wgo), jwin(*wedit), jwin(*wgen), 5, 2),
        "items": [
            jitem(0x00010090, (0, 0, 40, 20), a12, jlink(1, D3, (0, 0, 0, 0), text="A"),
                  jlink(0, None, (0, 0, 0, 0)), polygon=POLY16),
            jitem(0x00, (0, 21, 40, 41), jfont(18, 1, 1, 1, 0, 0, "Liberation Sans"),
                  jlink(1, D1, (0, 0, 0, 0), text="Title"), jlink(1, D1, (0, 0, 0, 0), text="abcd")),
            jitem(0x00, (0, 42, 40, 62), a12, jlink(1, D1, (0, 0, 0, 0), text="File"),
                  jlink(3, D1, (0, 0, 0, 0), path="/nonexistent/vorn/fixture.txt")),
            jitem(0x60, (0, 63, 40, 83), a12, jlink(1, None, (1, 2, 3, 4), text=""),
                  jlink(7, None, (0, 0, 0, 0))),
        ],
    }
    write("v5", 5, body, expected)


if __name__ == "__main__":
    for make in (version0, version1, version2, version3, version4, version5):
        make()
