#!/usr/bin/env python3
"""Writes a sample cover archive: a numbered spine label and a 40-line contents list, red cut
lines and green crull lines, and (with --picture) a back picture stretched to the crull lines.

usage: sample_cover.py OUT.vrz [--picture]
"""
import struct
import sys
import zipfile
import zlib


def png(width, height):
    """A colourful picture that compresses about as badly as a photograph."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows += bytes(((x * 7 + y) & 255, (y * 5 + x * 3) & 255, (x * y) & 255))
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(bytes(rows), 9)) + chunk(b'IEND', b''))


def main():
    out = sys.argv[1]
    picture = '--picture' in sys.argv[2:]
    ini = ('[LastCover]\r\nText="Collected recordings, volume %c"\r\nFontname=DejaVu Sans\r\nFontsize=12\r\n'
           'Fontname2=DejaVu Sans\r\nFontsize2=7\r\nCounter=1\r\nCountFrom=8\r\nBackColor=16777215\r\n'
           'CutColor=255\r\nCrullColor=65280\r\npMethod=1\r\nfBackColor=16777215\r\nfBackColor2=16777215\r\n'
           'sfText=1\r\nFrontFont=DejaVu Sans\r\nFrontFontSize=20\r\nfFontCenter=1\r\nfCutColor=255\r\nfCrullColor=65280\r\n'
           'Counter2=1\r\nCountFrom2=8\r\n')
    if picture:
        ini += 'BackPicture={sample.png}\r\n'
    lines = ''.join('%d. A track title of a usual length, copy %%c - %d:%02d\r\n' % (i, i % 7 + 2, i * 7 % 60)
                    for i in range(1, 41))
    text = '// ~contents~=\r\n' + lines + '// ~fronttext1~=\r\n\r\n// ~fronttext2~=\r\nCollected recordings\r\nVolume %c\r\n'
    name = out.replace('\\', '/').split('/')[-1]
    with zipfile.ZipFile(out, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('vorn.ini', ini)
        z.writestr(name + '.txt', text)
        if picture:
            z.writestr('sample.png', png(1100, 940))


if __name__ == '__main__':
    main()
