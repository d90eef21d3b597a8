#!/usr/bin/env python3
"""Draws the support images of generated applications (resources/files/*.gif).

Plain 16x16 icons on a transparent background, written by the small GIF89a
encoder below. Run from the repository root:  python3 scripts/make_support_images.py
"""
import os
import struct
import sys

# Palette: index 0 is transparent.
PALETTE = [
    (255, 255, 255),  # 0 transparent
    (0, 0, 0),        # 1 black
    (0, 0, 128),      # 2 navy
    (200, 0, 0),      # 3 red
    (0, 140, 0),      # 4 green
    (128, 128, 128),  # 5 grey
    (192, 192, 192),  # 6 silver
    (255, 255, 255),  # 7 white
    (255, 210, 0),    # 8 yellow
    (90, 140, 220),   # 9 light blue
    (230, 230, 230),  # 10 light grey
    (120, 70, 20),    # 11 brown
]
NAMES = {'.': 0, 'k': 1, 'n': 2, 'r': 3, 'g': 4, 'd': 5, 's': 6, 'w': 7, 'y': 8, 'b': 9, 'l': 10, 'o': 11}


def lzw(indices, min_size):
    clear, end = 1 << min_size, (1 << min_size) + 1
    out, bitbuf, bitcount = bytearray(), 0, 0
    width = min_size + 1

    def emit(code):
        nonlocal bitbuf, bitcount
        bitbuf |= code << bitcount
        bitcount += width
        while bitcount >= 8:
            out.append(bitbuf & 0xFF)
            bitbuf >>= 8
            bitcount -= 8

    table = {(i,): i for i in range(clear)}
    nxt = end + 1
    emit(clear)
    w = ()
    for px in indices:
        wc = w + (px,)
        if wc in table:
            w = wc
            continue
        emit(table[w])
        if nxt < 4096:
            table[wc] = nxt
            nxt += 1
            if nxt > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear)
            table = {(i,): i for i in range(clear)}
            nxt = end + 1
            width = min_size + 1
        w = (px,)
    if w:
        emit(table[w])
    emit(end)
    if bitcount:
        out.append(bitbuf & 0xFF)
    return bytes(out)


def gif(width, height, pixels):
    size_bits = 4  # 16 colours
    pal = PALETTE + [(0, 0, 0)] * (16 - len(PALETTE))
    data = bytearray(b'GIF89a')
    data += struct.pack('<HHBBB', width, height, 0x80 | (size_bits - 1), 0, 0)
    for r, g, b in pal:
        data += bytes((r, g, b))
    data += b'\x21\xf9\x04\x01\x00\x00\x00\x00'  # transparent index 0
    data += b'\x2c' + struct.pack('<HHHHB', 0, 0, width, height, 0)
    data.append(size_bits)
    body = lzw(pixels, size_bits)
    for i in range(0, len(body), 255):
        chunk = body[i:i + 255]
        data.append(len(chunk))
        data += chunk
    data += b'\x00\x3b'
    return bytes(data)


def from_art(rows):
    h = len(rows)
    w = max(len(r) for r in rows)
    px = []
    for r in rows:
        r = r.ljust(w, '.')
        px += [NAMES[c] for c in r]
    return w, h, px


ICONS = {
    'asc.gif': [
        '...........',
        '.....k.....',
        '....kkk....',
        '...kkkkk...',
        '..kkkkkkk..',
        '.kkkkkkkkk.',
        '...........',
    ],
    'desc.gif': [
        '...........',
        '.kkkkkkkkk.',
        '..kkkkkkk..',
        '...kkkkk...',
        '....kkk....',
        '.....k.....',
        '...........',
    ],
    'insert.gif': [
        '................',
        '......gggg......',
        '......gggg......',
        '......gggg......',
        '......gggg......',
        '......gggg......',
        '.gggggggggggggg.',
        '.gggggggggggggg.',
        '.gggggggggggggg.',
        '.gggggggggggggg.',
        '......gggg......',
        '......gggg......',
        '......gggg......',
        '......gggg......',
        '......gggg......',
        '................',
    ],
    'delete.gif': [
        '................',
        '.rr..........rr.',
        '.rrr........rrr.',
        '..rrr......rrr..',
        '...rrr....rrr...',
        '....rrr..rrr....',
        '.....rrrrrr.....',
        '......rrrr......',
        '......rrrr......',
        '.....rrrrrr.....',
        '....rrr..rrr....',
        '...rrr....rrr...',
        '..rrr......rrr..',
        '.rrr........rrr.',
        '.rr..........rr.',
        '................',
    ],
    'update.gif': [
        '................',
        '..............gg',
        '.............ggg',
        '............ggg.',
        '...........ggg..',
        '..........ggg...',
        '.........ggg....',
        'gg......ggg.....',
        'ggg....ggg......',
        '.ggg..ggg.......',
        '..gggggg........',
        '...gggg.........',
        '....gg..........',
        '................',
        '................',
        '................',
    ],
    'deselect.gif': [
        '................',
        '.kkkkkkkkkkkkkk.',
        '.kwwwwwwwwwwwwk.',
        '.kwddwwwwwwddwk.',
        '.kwwddwwwwddwwk.',
        '.kwwwddwwddwwwk.',
        '.kwwwwddddwwwwk.',
        '.kwwwwwddwwwwwk.',
        '.kwwwwddddwwwwk.',
        '.kwwwddwwddwwwk.',
        '.kwwddwwwwddwwk.',
        '.kwddwwwwwwddwk.',
        '.kwwwwwwwwwwwwk.',
        '.kkkkkkkkkkkkkk.',
        '................',
        '................',
    ],
    'search.gif': [
        '................',
        '....kkkkk.......',
        '...kbbbbbk......',
        '..kbwwbbbbk.....',
        '..kbwbbbbbk.....',
        '..kbbbbbbbk.....',
        '..kbbbbbbbk.....',
        '..kbbbbbbbk.....',
        '...kbbbbbk......',
        '....kkkkkoo.....',
        '..........ooo...',
        '...........ooo..',
        '............ooo.',
        '.............oo.',
        '................',
        '................',
    ],
    'qsearch.gif': [
        '............',
        '...kkkk.....',
        '..kbwbbk....',
        '.kbwbbbbk...',
        '.kbbbbbbk...',
        '.kbbbbbbk...',
        '..kbbbbk....',
        '...kkkkoo...',
        '.......ooo..',
        '........ooo.',
        '.........oo.',
        '............',
    ],
    'cancel_search.gif': [
        '................',
        '....kkkkk.......',
        '...kbbbbbk......',
        '..kbwwbbbbk.....',
        '..kbwbbbbbk.....',
        '..kbbbbbbbk.....',
        '..kbbbbbbbk.....',
        '..kbbbbbbbk.....',
        '...kbbbbbk......',
        '....kkkkkoo.....',
        '..........orr.rr',
        '...........rrrr.',
        '............rr..',
        '...........rrrr.',
        '..........rr..rr',
        '................',
    ],
    'print.gif': [
        '................',
        '....kkkkkkkk....',
        '....kwwwwwwk....',
        '....kwkkkkwk....',
        '....kwwwwwwk....',
        '.kkkkkkkkkkkkkk.',
        '.kssssssssssssk.',
        '.kssssssssssgsk.',
        '.kssssssssssssk.',
        '.kddddddddddddk.',
        '.kkkwwwwwwwwkkk.',
        '....kwkkkkwk....',
        '....kwwwwwwk....',
        '....kkkkkkkk....',
        '................',
        '................',
    ],
    'csv.gif': [
        '................',
        '.kkkkkkkkkkkkkk.',
        '.kggggggggggggk.',
        '.kkkkkkkkkkkkkk.',
        '.kwwwkwwwwkwwwk.',
        '.kkkkkkkkkkkkkk.',
        '.kwwwkwwwwkwwwk.',
        '.kkkkkkkkkkkkkk.',
        '.kwwwkwwwwkwwwk.',
        '.kkkkkkkkkkkkkk.',
        '.kwwwkwwwwkwwwk.',
        '.kkkkkkkkkkkkkk.',
        '................',
        '................',
        '................',
        '................',
    ],
    'table.gif': [
        '................',
        '.nnnnnnnnnnnnnn.',
        '.nnnnnnnnnnnnnn.',
        '.nwwwnwwwwnwwwn.',
        '.nwwwnwwwwnwwwn.',
        '.nnnnnnnnnnnnnn.',
        '.nwwwnwwwwnwwwn.',
        '.nwwwnwwwwnwwwn.',
        '.nnnnnnnnnnnnnn.',
        '.nwwwnwwwwnwwwn.',
        '.nwwwnwwwwnwwwn.',
        '.nnnnnnnnnnnnnn.',
        '.nwwwnwwwwnwwwn.',
        '.nwwwnwwwwnwwwn.',
        '.nnnnnnnnnnnnnn.',
        '................',
    ],
    'save_search.gif': [
        '................',
        '.nnnnnnnnnnnnnn.',
        '.nnswwwwwwwwsnn.',
        '.nnswwwwwwwwsnn.',
        '.nnswwwwwwwwsnn.',
        '.nnswwwwwwwwsnn.',
        '.nnnnnnnnnnnnnn.',
        '.nnnnnnnnnnnnnn.',
        '.nnnssssssssnnn.',
        '.nnnsskkssssnnn.',
        '.nnnsskkssssnnn.',
        '.nnnsskkssssnnn.',
        '.nnnssssssssnnn.',
        '..nnnnnnnnnnnnn.',
        '................',
        '................',
    ],
    'saveCopy.gif': [
        '................',
        '.kkkkkkkkk......',
        '.kwwwwwwwk......',
        '.kwdddddwk......',
        '.kwwwwwkkkkkkkk.',
        '.kwddddkwwwwwwk.',
        '.kwwwwwkwddddwk.',
        '.kwddddkwwwwwwk.',
        '.kwwwwwkwddddwk.',
        '.kkkkkkkwwwwwwk.',
        '.......kwddddwk.',
        '.......kwwwwwwk.',
        '.......kkkkkkkk.',
        '................',
        '................',
        '................',
    ],
    'applyFilters.gif': [
        '................',
        '.kkkkkkkkkkkkkk.',
        '.kbbbbbbbbbbbbk.',
        '..kbbbbbbbbbbk..',
        '...kbbbbbbbbk...',
        '....kbbbbbbk....',
        '.....kbbbbk.....',
        '......kbbk......',
        '......kbbk......',
        '......kbbk......',
        '......kbbk......',
        '......kbbk......',
        '.......kbk......',
        '........k.......',
        '................',
        '................',
    ],
    'nextPage.gif': [
        '................',
        '................',
        '.nn.....nn......',
        '.nnn....nnn.....',
        '.nnnn...nnnn....',
        '.nnnnn..nnnnn...',
        '.nnnnnn.nnnnnn..',
        '.nnnnnnnnnnnnnn.',
        '.nnnnnnnnnnnnnn.',
        '.nnnnnn.nnnnnn..',
        '.nnnnn..nnnnn...',
        '.nnnn...nnnn....',
        '.nnn....nnn.....',
        '.nn.....nn......',
        '................',
        '................',
    ],
    'previousPage.gif': [
        '................',
        '................',
        '......nn.....nn.',
        '.....nnn....nnn.',
        '....nnnn...nnnn.',
        '...nnnnn..nnnnn.',
        '..nnnnnn.nnnnnn.',
        '.nnnnnnnnnnnnnn.',
        '.nnnnnnnnnnnnnn.',
        '..nnnnnn.nnnnnn.',
        '...nnnnn..nnnnn.',
        '....nnnn...nnnn.',
        '.....nnn....nnn.',
        '......nn.....nn.',
        '................',
        '................',
    ],
    'scroll_next.gif': [
        'sssssssssssssss',
        'swwwwwwwwwwwwwk',
        'swllllllllllldk',
        'swllllklllllldk',
        'swllllkkllllldk',
        'swllllkkklllldk',
        'swllllkkkkllldk',
        'swllllkkkkklldk',
        'swllllkkkkllldk',
        'swllllkkklllldk',
        'swllllkkllllldk',
        'swllllklllllldk',
        'swllllllllllldk',
        'sdddddddddddddk',
        'kkkkkkkkkkkkkkk',
    ],
    'scroll_previous.gif': [
        'sssssssssssssss',
        'swwwwwwwwwwwwwk',
        'swllllllllllldk',
        'swlllllllkllldk',
        'swllllllkkllldk',
        'swlllllkkkllldk',
        'swllllkkkkllldk',
        'swlllkkkkkllldk',
        'swllllkkkkllldk',
        'swlllllkkkllldk',
        'swllllllkkllldk',
        'swlllllllkllldk',
        'swllllllllllldk',
        'sdddddddddddddk',
        'kkkkkkkkkkkkkkk',
    ],
    'scroll_box.gif': [
        'sssssssssssssss',
        'swwwwwwwwwwwwwk',
        'swllllllllllldk',
        'swllllllllllldk',
        'swllllllllllldk',
        'swllldldldllldk',
        'swllldldldllldk',
        'swllldldldllldk',
        'swllldldldllldk',
        'swllldldldllldk',
        'swllllllllllldk',
        'swllllllllllldk',
        'swllllllllllldk',
        'sdddddddddddddk',
        'kkkkkkkkkkkkkkk',
    ],
    'scroll_bar.gif': [
        'ddddddddddddddd',
        'lllllllllllllll',
        'lllllllllllllll',
        'lllllllllllllll',
        'lllllllllllllll',
        'lllllllllllllll',
        'lllllllllllllll',
        'lllllllllllllll',
        'lllllllllllllll',
        'lllllllllllllll',
        'lllllllllllllll',
        'lllllllllllllll',
        'lllllllllllllll',
        'lllllllllllllll',
        'ddddddddddddddd',
    ],
    'blank.gif': ['.'],
}


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'files')
    os.makedirs(root, exist_ok=True)
    for name, art in ICONS.items():
        w, h, px = from_art(art)
        with open(os.path.join(root, name), 'wb') as f:
            f.write(gif(w, h, px))
    print('%d images written to %s' % (len(ICONS), os.path.normpath(root)), file=sys.stderr)


if __name__ == '__main__':
    main()
