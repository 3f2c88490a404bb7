#!/usr/bin/env python3
"""Numbered copies into a PDF, timed beside a peer in the same run.

Caseleaf: "caseleaf render" of the sample back cover (a picture stretched to the crull lines,
a numbered spine label and a 40-line contents list), 100 numbered copies into one PDF and
one copy. The peer: glabels-3-batch printing the same inlay (Avery 8435B CD inlet, the same
picture, the same 40 lines with a merged copy number) 100 times by merging 100 records, and
once. Each command runs several times; the median wall time counts, process start included.

Goals: 100 copies in at most 0.1 x the peer's time, one cover in at most 0.1 x the peer's
one inlay, and 100 copies in a file at most 2 x the one-copy file plus 10 KB per page.

usage: print_bench.py CASELEAF [RUNS]
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLE = os.path.join(HERE, '..', 'tests', 'print_check', 'sample_cover.py')
COPIES = 100


def peer_document(picture, merge):
    lines = ''.join('%d. A track title of a usual length, copy <Field name="1"/> - %d:%02d<NL/>'
                    % (i, i % 7 + 2, i * 7 % 60) for i in range(1, 41))
    return '''<?xml version="1.0"?>
<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">
  <Template brand="Avery" part="8435B" size="A4" description="CD Inlet">
    <Meta category="media"/>
    <Label-rectangle id="0" width="155mm" height="122mm" round="0mm">
      <Markup-margin size="2mm"/>
      <Layout nx="1" ny="1" x0="27.5mm" y0="21mm" dx="155mm" dy="122mm"/>
    </Label-rectangle>
  </Template>
  <Objects id="0" rotate="False">
    <Object-image x="6mm" y="0mm" w="138mm" h="122mm" src="%s" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0"/>
    <Object-text x="7mm" y="1mm" w="136mm" h="118mm" justify="Left" valign="Top" auto_shrink="False"
                 a0="1" a1="0" a2="0" a3="1" a4="0" a5="0">
      <Span color="0x000000ff" font_family="DejaVu Sans" font_size="7" font_weight="Regular"
            font_italic="False" line_spacing="1">%s</Span>
    </Object-text>
  </Objects>
  <Merge type="Text/Comma" src="%s"/>
</Glabels-document>
''' % (picture, lines, merge)


def median_seconds(command, runs, cwd):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, cwd=cwd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def main():
    caseleaf = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    peer = shutil.which('glabels-3-batch')
    with tempfile.TemporaryDirectory() as work:
        cover = os.path.join(work, 'sample.vrz')
        subprocess.run([sys.executable, SAMPLE, cover, '--picture'], check=True)
        with zipfile.ZipFile(cover) as z, open(os.path.join(work, 'sample.png'), 'wb') as f:
            f.write(z.read('sample.png'))
        render = [caseleaf, 'render', cover, '--side', 'back', '--out']
        ours_many = median_seconds(render + ['many.pdf', '--copies', str(COPIES)], runs, work)
        ours_one = median_seconds(render + ['one.pdf'], runs, work)
        many_size = os.path.getsize(os.path.join(work, 'many.pdf'))
        one_size = os.path.getsize(os.path.join(work, 'one.pdf'))
        size_limit = 2 * one_size + 10 * 1024 * COPIES

        print('caseleaf render, %d numbered copies: %8.3f s, %9d bytes' % (COPIES, ours_many, many_size))
        print('caseleaf render, one copy:           %8.3f s, %9d bytes' % (ours_one, one_size))
        print('size of %d copies: %d bytes, limit %d (2 x one copy + 10 KB a page): %s'
              % (COPIES, many_size, size_limit, 'goal met' if many_size <= size_limit else 'goal MISSED'))
        if not peer:
            print('glabels-3-batch is not installed: no peer to compare with ("make bench" installs it)')
            return 0
        for name, count in (('many.csv', COPIES), ('one.csv', 1)):
            with open(os.path.join(work, name), 'w') as f:
                f.write(''.join('%d\n' % (8 + i) for i in range(count)))
        with open(os.path.join(work, 'inlay.glabels'), 'w') as f:
            f.write(peer_document('sample.png', 'many.csv'))
        peer_many = median_seconds([peer, '-o', 'peer-many.pdf', '-i', 'many.csv', 'inlay.glabels'], runs, work)
        peer_one = median_seconds([peer, '-o', 'peer-one.pdf', '-i', 'one.csv', 'inlay.glabels'], runs, work)
        print('glabels-3-batch, %d merged inlays:   %8.3f s, %9d bytes'
              % (COPIES, peer_many, os.path.getsize(os.path.join(work, 'peer-many.pdf'))))
        print('glabels-3-batch, one inlay:          %8.3f s, %9d bytes'
              % (peer_one, os.path.getsize(os.path.join(work, 'peer-one.pdf'))))
        for what, ours, theirs in (('%d copies' % COPIES, ours_many, peer_many), ('one copy', ours_one, peer_one)):
            ratio = ours / theirs
            print('ratio, %s: %.3f (goal at most 0.1): %s' % (what, ratio, 'goal met' if ratio <= 0.1 else 'goal MISSED'))
    return 0


if __name__ == '__main__':
    sys.exit(main())
