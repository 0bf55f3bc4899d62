#!/usr/bin/env python3
"""A tile server for trying the map without the internet: it listens on
127.0.0.1 only and answers every /Z/X/Y.png with a drawn tile (a see-through
square with its border and its Z/X/Y written on it, so the world layer shows
beneath), fresh for a week, with an ETag. Point the program at it:

    scripts/demo_tile_server.py 8765 &
    VANTREL_TILE_URL='http://127.0.0.1:8765/{z}/{x}/{y}.png' build/window/vantrel

Each request is logged on stderr with its User-Agent."""

import http.server
import re
import struct
import sys
import zlib

SIZE = 256
DIGITS = {  # 3 x 5 block digits and the slash
    "0": ["111", "101", "101", "101", "111"], "1": ["010", "110", "010", "010", "111"],
    "2": ["111", "001", "111", "100", "111"], "3": ["111", "001", "111", "001", "111"],
    "4": ["101", "101", "111", "001", "001"], "5": ["111", "100", "111", "001", "111"],
    "6": ["111", "100", "111", "101", "111"], "7": ["111", "001", "001", "001", "001"],
    "8": ["111", "101", "111", "101", "111"], "9": ["111", "101", "111", "001", "111"],
    "/": ["001", "001", "010", "100", "100"],
}


def png(rows):
    """PNG bytes of rows of (r, g, b, a) pixels."""
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    head = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(raw, 6))
            + chunk(b"IEND", b""))


def tile(z, x, y):
    """A see-through tile, darker at its border, with its name in block digits."""
    base = (250, 250, 250, 90) if (x + y) % 2 else (90, 120, 160, 60)
    ink = (60, 80, 100, 255)
    rows = [[base] * SIZE for _ in range(SIZE)]
    for i in range(SIZE):
        for j in (0, SIZE - 1):
            rows[i][j] = rows[j][i] = ink
    text, scale, left, top = "%d/%d/%d" % (z, x, y), 4, 12, 12
    for n, char in enumerate(text):
        for r, line in enumerate(DIGITS[char]):
            for c, bit in enumerate(line):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            px = left + (n * 4 + c) * scale + dx
                            if px < SIZE:
                                rows[top + r * scale + dy][px] = ink
    return png(rows)


class Tiles(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        match = re.fullmatch(r"/(\d+)/(\d+)/(\d+)\.png", self.path)
        if not match:
            self.send_error(404)
            return
        z, x, y = (int(v) for v in match.groups())
        etag = '"%d-%d-%d"' % (z, x, y)
        if self.headers.get("If-None-Match") == etag:
            self.send_response(304)
            self.end_headers()
            return
        body = tile(z, x, y)
        self.send_response(200)
        self.send_header("Content-Type", "image/png")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "max-age=604800")
        self.send_header("ETag", etag)
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, form, *args):
        sys.stderr.write("%s  [%s]\n" % (form % args, self.headers.get("User-Agent")))


if __name__ == "__main__":
    port = int(sys.argv[1]) if len(sys.argv) > 1 else 8765
    http.server.ThreadingHTTPServer(("127.0.0.1", port), Tiles).serve_forever()
