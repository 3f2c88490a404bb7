#!/usr/bin/env python3
"""Checks the pages of a printed back cover: the page count, where the cut (red) and crull
(green) lines lie in millimetres from the paper's corner, and that page k shows copy k: it
looks more like page k of the reference PDF (the same copies written by "caseleaf render")
than like any other page of it. A print path that turns text into outlines leaves nothing
to search, so the pages are compared as pictures.

With a calibration's offset (mm the printer is said to print too far right and down), the
lines must lie that far left and up in the file, corrected for that printer.

usage: check_pages.py PRINTED.pdf REFERENCE.pdf PAGES [OFFSET_X OFFSET_Y]
"""
import os
import re
import subprocess
import sys
import tempfile

DPI = 254  # 10 pixels per millimetre
TOLERANCE_MM = 0.1


def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
    fields = re.match(rb'P6\s+(\d+)\s+(\d+)\s+(\d+)\s', data)
    width, height = int(fields.group(1)), int(fields.group(2))
    return width, height, data[fields.end():]


def middle_of_ink(pixels, width, coords, ink):
    """The middle (mm) of the pixels along coords (x, y pairs) that match ink."""
    hits = [i for i, (x, y) in enumerate(coords) if ink(pixels[3 * (y * width + x):3 * (y * width + x) + 3])]
    if not hits:
        return None
    return coords[hits[0]], coords[hits[-1]]


def red(p):
    return p[0] > 180 and p[1] < 120 and p[2] < 120


def green(p):
    return p[1] > 150 and p[0] < 120 and p[2] < 120


def line_position(pixels, width, axis, at_mm, around_mm, ink):
    """Where a line crossing the row (axis 'x') or column (axis 'y') at at_mm lies, near around_mm."""
    at = int(at_mm * 10)
    span = range(int((around_mm - 2) * 10), int((around_mm + 2) * 10))
    coords = [(v, at) for v in span] if axis == 'x' else [(at, v) for v in span]
    found = middle_of_ink(pixels, width, coords, ink)
    if not found:
        return None
    first, last = found
    index = 0 if axis == 'x' else 1
    return (first[index] + last[index] + 1) / 2 / 10


def grey_page(pdf, page, base):
    subprocess.run(['pdftoppm', '-r', '50', '-gray', '-f', str(page), '-l', str(page), '-singlefile', pdf, base],
                   check=True)
    with open(base + '.pgm', 'rb') as f:
        data = f.read()
    return data[re.match(rb'P5\s+\d+\s+\d+\s+\d+\s', data).end():]


def difference(a, b):
    return sum(abs(x - y) for x, y in zip(a, b)) + 255 * abs(len(a) - len(b))


def closest_copy(pdf, reference, page, pages, work):
    """The page of the reference that the printed page looks most like."""
    printed = grey_page(pdf, page, os.path.join(work, 'g%d' % page))
    distances = [difference(printed, grey_page(reference, k, os.path.join(work, 'r%d' % k)))
                 for k in range(1, pages + 1)]
    return distances.index(min(distances)) + 1


def main():
    pdf, reference, pages = sys.argv[1], sys.argv[2], int(sys.argv[3])
    offset = (float(sys.argv[4]), float(sys.argv[5])) if len(sys.argv) > 5 else (0.0, 0.0)
    info = subprocess.run(['pdfinfo', pdf], capture_output=True, text=True, check=True).stdout
    count = int(re.search(r'^Pages:\s+(\d+)', info, re.M).group(1))
    size = re.search(r'^Page size:\s+(.*)$', info, re.M).group(1)
    print('pages: %d (expected %d), page size: %s' % (count, pages, size))
    failures = []
    if count != pages:
        failures.append('page count %d, expected %d' % (count, pages))
    expected = [('x', 60, 5, red, 'left cut'), ('x', 60, 155, red, 'right cut'),
                ('x', 60, 11, green, 'left crull'), ('x', 60, 149, green, 'right crull'),
                ('y', 80, 5, red, 'top cut'), ('y', 80, 123, red, 'bottom cut')]
    with tempfile.TemporaryDirectory() as work:
        for page in range(1, min(count, pages) + 1):
            # A corrected page is moved as a whole and is not compared with the reference.
            look = 'moved as corrected'
            if offset == (0.0, 0.0):
                closest = closest_copy(pdf, reference, page, pages, work)
                look = 'looks most like copy %d' % closest
                if closest != page:
                    failures.append('page %d %s' % (page, look))
            base = os.path.join(work, 'p%d' % page)
            subprocess.run(['pdftoppm', '-r', str(DPI), '-aaVector', 'no', '-f', str(page), '-l', str(page),
                            '-singlefile', pdf, base], check=True)
            width, _, pixels = read_ppm(base + '.ppm')
            found = []
            for axis, at, meant, ink, name in expected:
                meant -= offset[0] if axis == 'x' else offset[1]
                mm = line_position(pixels, width, axis, at, meant, ink)
                found.append('%s %s' % (name, 'missing' if mm is None else '%.1f mm' % mm))
                if mm is None or abs(mm - meant) > TOLERANCE_MM:
                    failures.append('page %d: %s at %s, meant %g mm' % (page, name, mm, meant))
            print('page %d: %s; %s' % (page, look, ', '.join(found)))
    if failures:
        print('FAIL\n  ' + '\n  '.join(failures))
        return 1
    print('OK: %d pages, each its own copy, cut lines where they belong' % pages)
    return 0


if __name__ == '__main__':
    sys.exit(main())
