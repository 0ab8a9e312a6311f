#!/usr/bin/env python3
"""Saves a picture of a program's window as PNG once the window is on screen and painted.

    capture_window.py --program lumbra.exe --out splash.png [--timeout 10] [--interval 0.01]

Waits for a mapped top-level X window of the program (Wine names the X class after the
executable), then grabs it with xwd until the picture is painted: not a single colour (a window
that is mapped but not yet painted shows all black under load) and the same in two grabs in a row
(so a half-drawn picture is not taken). Polls every --interval seconds, gives up after --timeout
seconds with exit code 1. Needs only xwininfo and xwd; the PNG is written here, without ImageMagick,
so each poll costs one xwd call.
"""
import argparse
import re
import struct
import subprocess
import sys
import time
import zlib

GEOMETRY = re.compile(r'^\s*(0x[0-9a-f]+) .*\("([^"]*)" "[^"]*"\)\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+)')


def run(args):
    try:
        return subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=False).stdout
    except OSError:
        return b''


def find_window(program):
    """The id of a mapped window of the program larger than a placeholder, or None."""
    listing = run(['xwininfo', '-root', '-children']).decode('latin-1')
    for line in listing.splitlines():
        m = GEOMETRY.match(line)
        if not m or m.group(2).lower() != program.lower():
            continue
        width, height = int(m.group(3)), int(m.group(4))
        if width <= 1 or height <= 1 or (m.group(5), m.group(6)) == ('0', '0'):
            continue  # Wine's helper windows
        if b'IsViewable' in run(['xwininfo', '-id', m.group(1)]):
            return m.group(1)
    return None


def decode_xwd(data):
    """(width, height, rows of RGB bytes) of a TrueColor xwd image, or None."""
    if len(data) < 100:
        return None
    fields = struct.unpack('>25I', data[:100])
    header_size, _, _, _, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    masks, ncolors = fields[14:17], fields[19]
    if bits_per_pixel not in (24, 32) or width == 0 or height == 0:
        return None
    start = header_size + ncolors * 12
    if len(data) < start + bytes_per_line * height:
        return None
    step = bits_per_pixel // 8
    if step == 4 and byte_order == 0 and tuple(masks) == (0xff0000, 0xff00, 0xff):
        # The usual 24-bit screen: BGRX bytes, reordered by slicing (a poll must stay cheap).
        rows = []
        for y in range(height):
            line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * 4]
            out = bytearray(width * 3)
            out[0::3], out[1::3], out[2::3] = line[2::4], line[1::4], line[0::4]
            rows.append(bytes(out))
        return width, height, rows
    shifts = [(m & -m).bit_length() - 1 for m in masks]
    order = 'little' if byte_order == 0 else 'big'
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * step]
        out = bytearray(width * 3)
        for x in range(width):
            v = int.from_bytes(line[x * step:x * step + step], order)
            for c in range(3):
                out[x * 3 + c] = (v & masks[c]) >> shifts[c]
        rows.append(bytes(out))
    return width, height, rows


def single_colour(rows):
    first = rows[0][:3]
    return all(row == first * (len(row) // 3) for row in rows)


def write_png(path, width, height, rows):
    def chunk(kind, payload):
        body = kind + payload
        return struct.pack('>I', len(payload)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)
    raw = b''.join(b'\0' + row for row in rows)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(raw, 6)))
        f.write(chunk(b'IEND', b''))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--program', required=True)
    parser.add_argument('--out', required=True)
    parser.add_argument('--timeout', type=float, default=10.0)
    parser.add_argument('--interval', type=float, default=0.01)
    args = parser.parse_args()

    started = time.monotonic()
    deadline = started + args.timeout
    window, previous, grabs = None, None, 0
    while time.monotonic() < deadline:
        if window is None:
            window = find_window(args.program)
        if window is not None:
            grab = run(['xwd', '-id', window, '-silent'])
            grabs += 1
            if previous is not None and grab == previous:
                width, height, rows = decode_xwd(grab)
                write_png(args.out, width, height, rows)
                print('captured window %s of %s (%dx%d) after %.2f s, %d grabs' %
                      (window, args.program, width, height, time.monotonic() - started, grabs))
                return 0
            picture = decode_xwd(grab)
            if picture is None and previous is not None:
                break  # gone after a painted grab (the splash goes as soon as the viewer is up)
            if picture is None:
                window, previous = None, None  # not there yet, or replaced: look for it again
            elif single_colour(picture[2]):
                previous = None  # mapped, not painted yet
            else:
                previous = grab
        time.sleep(args.interval)
    if previous is not None:
        width, height, rows = decode_xwd(previous)
        write_png(args.out, width, height, rows)
        print('captured window %s of %s (%dx%d) after %.2f s, %d grabs (painted, not seen twice)' %
              (window, args.program, width, height, time.monotonic() - started, grabs))
        return 0
    print('no painted window of %s within %.1f s (%d grabs)' % (args.program, args.timeout, grabs),
          file=sys.stderr)
    return 1


if __name__ == '__main__':
    sys.exit(main())
