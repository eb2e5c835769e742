"""Writes topics as a WinHelp 3.1 help file, the format the help engines of
Windows 95/98 (WINHLP32) and Wine's winhlp32 open.

The file is an internal file system: a 16-byte header, internal files each
behind a 9-byte header, and a directory of them kept as a B+ tree. The files
written are the ones the Windows 95 engine reads for plain text topics with
jumps: |SYSTEM (title, contents topic), |FONT, |TOPIC (uncompressed, in 4 KB
blocks), |CONTEXT (context hash to topic) and |TTLBTREE (topic titles); for
the index, |KWBTREE (each word, how many topics it leads to and where their
list starts in |KWDATA), |KWDATA (the topics) and |KWMAP (the first word of
each leaf page); and |CTXOMAP, the numbers programs open topics by.
"""

import struct

from .source import Paragraph

MAGIC = 0x00035F3F
BTREE_MAGIC = 0x293B
SYSTEM_MAGIC = 0x036C
VERSION_MINOR = 21  # help files of the 3.1 engine, read by 3.1, 95, 98 and NT
BLOCK_SIZE = 0x1000  # uncompressed topic blocks
BLOCK_HEADER = 12
BLOCK_DATA = BLOCK_SIZE - BLOCK_HEADER
LINK_HEADER = 21
TOPIC_HEADER = 28
NONE = 0xFFFFFFFF

RECORD_TOPIC_HEADER = 0x02
RECORD_DISPLAY = 0x20

FACE = "MS Sans Serif"
# (attributes, half-points): body text, topic heading
FONTS = [(0x00, 20), (0x01, 28)]
BODY_FONT, HEADING_FONT = 0, 1
ENCODING = "cp1252"
BULLET = "\u2022"  # 0x95 in the Windows code page


class HelpError(Exception):
    pass


def context_hash(context):
    """The engine's hash of a context string, as a signed 32-bit value."""
    value = 0
    for char in context.upper():
        if "A" <= char <= "Z":
            code = ord(char) - ord("A") + 17
        elif "1" <= char <= "9":
            code = ord(char) - ord("0")
        elif char == "0":
            code = 10
        elif char == ".":
            code = 12
        elif char == "_":
            code = 13
        else:
            continue
        value = (value * 43 + code) & 0xFFFFFFFF
    return value - 0x100000000 if value & 0x80000000 else value


# Compressed numbers of the paragraph records: the low bit of the first byte
# says whether the short or the long form follows.
def compressed_long(value):
    if not -0x4000 <= value < 0x4000:
        return struct.pack("<I", (value * 2 + 0x80000001) & 0xFFFFFFFF)
    return struct.pack("<H", value * 2 + 0x8000)


def compressed_ushort(value):
    if value < 0x80:
        return bytes([value * 2])
    if value >= 0x8000:
        raise HelpError("paragraph too long")
    return struct.pack("<H", value * 2 + 1)


def compressed_short(value):
    if -0x40 <= value < 0x40:
        return bytes([value * 2 + 0x80])
    return struct.pack("<H", value * 2 + 0x8001)


def encode(text):
    try:
        return text.encode(ENCODING)
    except UnicodeEncodeError as error:
        raise HelpError(f"text not in {ENCODING}: {text!r}") from error


def display_record(paragraph, font=BODY_FONT):
    """LinkData1 without its link header, and LinkData2, of one paragraph."""
    strings, commands, current = [], [], b""
    commands.append(b"\x80" + struct.pack("<H", font))
    strings.append(b"")
    if paragraph.bullet:
        current = encode(BULLET + " ")
    for run in paragraph.runs:
        if run[0] == "text":
            current += encode(run[1])
        else:
            strings.append(current)
            commands.append(b"\xE3" + struct.pack("<i", context_hash(run[2])))
            strings.append(encode(run[1]))
            commands.append(b"\x89")
            current = b""
    strings.append(current)
    commands.append(b"\x82")
    text = b"".join(s + b"\0" for s in strings)
    length = sum(len(s) for s in strings) + 1  # the paragraph end counts as one
    bits, fields = 0x0002, compressed_short(6)  # space before
    if paragraph.bullet:
        bits |= 0x0010
        fields += compressed_short(18)  # left indent
    info = (
        compressed_long(len(text))
        + compressed_ushort(length)
        + b"\x00\x80\x00\x00"
        + struct.pack("<H", bits)
        + fields
    )
    return info + b"".join(commands) + b"\xff", text, length


class Link:
    def __init__(self, kind, data1, data2, length=0, topic=None):
        self.kind, self.data1, self.data2 = kind, data1, data2
        self.length, self.topic = length, topic
        self.pos = self.offset = None

    @property
    def size(self):
        return LINK_HEADER + len(self.data1) + len(self.data2)

    def pack(self, prev_pos, next_pos):
        return (
            struct.pack(
                "<IIIIIB",
                self.size,
                len(self.data2),
                prev_pos,
                next_pos,
                LINK_HEADER + len(self.data1),
                self.kind,
            )
            + self.data1
            + self.data2
        )


def topic_pos(data_offset):
    block, inside = divmod(data_offset, BLOCK_DATA)
    return block * 0x4000 + BLOCK_HEADER + inside


def build_links(topics):
    links, headers = [], []
    for number, topic in enumerate(topics):
        header = Link(RECORD_TOPIC_HEADER, b"", encode(topic.title) + b"\0", topic=number)
        header.data1 = bytes(TOPIC_HEADER)  # filled in once positions are known
        links.append(header)
        headers.append(header)
        heading = Paragraph([("text", topic.title)])
        for paragraph, font in [(heading, HEADING_FONT)] + [
            (p, BODY_FONT) for p in topic.paragraphs
        ]:
            data1, data2, length = display_record(paragraph, font)
            links.append(Link(RECORD_DISPLAY, data1, data2, length, topic=number))
    return links, headers


def layout_topics(topics):
    """The |TOPIC file and each topic's offset (the value jumps resolve to)."""
    links, headers = build_links(topics)
    offset, chars, block = 0, 0, 0
    for link in links:
        link.pos = topic_pos(offset)
        if offset // BLOCK_DATA != block:
            block, chars = offset // BLOCK_DATA, 0
        if link.kind == RECORD_TOPIC_HEADER:
            link.offset = block * 0x8000 + chars
        else:
            chars += link.length
        offset += link.size

    for number, header in enumerate(headers):
        topic_links = [l for l in links if l.topic == number]
        header.data1 = struct.pack(
            "<IIIiIII",
            sum(l.size for l in topic_links),
            headers[number - 1].offset if number else NONE,
            headers[number + 1].offset if number + 1 < len(headers) else NONE,
            number,
            NONE,
            topic_links[1].pos if len(topic_links) > 1 else NONE,
            headers[number + 1].pos if number + 1 < len(headers) else NONE,
        )

    stream = b"".join(
        link.pack(
            links[i - 1].pos if i else NONE, links[i + 1].pos if i + 1 < len(links) else NONE
        )
        for i, link in enumerate(links)
    )
    starts = []  # data offset of each link, for the block headers
    position = 0
    for link in links:
        starts.append((position, link))
        position += link.size

    blocks = []
    for block in range((len(stream) + BLOCK_DATA - 1) // BLOCK_DATA):
        begin, end = block * BLOCK_DATA, (block + 1) * BLOCK_DATA
        before = [l for s, l in starts if s < begin]
        inside = [l for s, l in starts if begin <= s < end]
        before_headers = [l for l in before if l.kind == RECORD_TOPIC_HEADER]
        head = struct.pack(
            "<III",
            before[-1].pos if before else NONE,
            inside[0].pos if inside else NONE,
            before_headers[-1].pos if before_headers else NONE,
        )
        blocks.append(head + stream[begin:end].ljust(BLOCK_DATA, b"\0"))
    return b"".join(blocks), [h.offset for h in headers]


def btree(structure, entries, page_size, directory=False):
    """A B+ tree of one leaf page holding the given entries, in order."""
    body = b"".join(entries)
    if len(body) + 8 > page_size:
        raise HelpError(f"B+ tree '{structure}' needs more than one page")
    header = struct.pack(
        "<HHH16shhhhhhi",
        BTREE_MAGIC,
        0x0402 if directory else 0x0002,
        page_size,
        structure.encode("ascii"),
        0,
        0,
        0,
        -1,
        1,
        1,
        len(entries),
    )
    page = struct.pack("<Hhhh", page_size - 8 - len(body), len(entries), -1, -1) + body
    return header + page.ljust(page_size, b"\0")


def internal_file(content):
    return struct.pack("<IIB", len(content) + 9, len(content), 4) + content


def system_file(title, contents_offset, date):
    records = [(1, encode(title) + b"\0"), (3, struct.pack("<I", contents_offset))]
    data = struct.pack("<HHHIH", SYSTEM_MAGIC, VERSION_MINOR, 1, date, 0)
    for kind, value in records:
        data += struct.pack("<HH", kind, len(value)) + value
    return data


def font_file():
    face = encode(FACE).ljust(32, b"\0")
    descriptors = b"".join(
        struct.pack("<BBBH3s3s", attributes, half_points, 0x03, 0, b"\0\0\0", b"\xff\xff\xff")
        for attributes, half_points in FONTS
    )
    return struct.pack("<HHHH", 1, len(FONTS), 8, 8 + len(face)) + face + descriptors


def index_files(topics, offsets):
    """|KWBTREE, |KWDATA and |KWMAP of the topics' index words."""
    words = {}
    for topic, offset in zip(topics, offsets):
        for word in topic.keywords:
            # The engine looks words up without regard to case.
            entry = words.setdefault(word.upper(), (word, []))
            if offset not in entry[1]:
                entry[1].append(offset)
    entries, data = [], b""
    for key in sorted(words, key=lambda k: encode(k)):
        word, targets = words[key]
        entries.append(encode(word) + b"\0" + struct.pack("<hI", len(targets), len(data)))
        data += b"".join(struct.pack("<I", t) for t in targets)
    tree = btree("F24", entries, 0x800)
    # One leaf page (number 0), whose first word is word 0.
    keyword_map = struct.pack("<H", 1) + struct.pack("<iH", 0, 0)
    return tree, data, keyword_map


def context_map(topics, offsets):
    """|CTXOMAP: each topic's map number and offset, by number."""
    pairs = sorted((t.map_number, o) for t, o in zip(topics, offsets) if t.map_number is not None)
    return struct.pack("<H", len(pairs)) + b"".join(struct.pack("<iI", n, o) for n, o in pairs)


def write_help(topics, title, date=0):
    """The bytes of a help file whose first topic is its contents."""
    topic_data, offsets = layout_topics(topics)
    hashes = {}
    for topic, offset in zip(topics, offsets):
        value = context_hash(topic.context)
        if value in hashes:
            raise HelpError(f"contexts '{hashes[value]}' and '{topic.context}' share a hash")
        hashes[value] = (topic.context, offset)
    context = btree(
        "L4",
        [struct.pack("<iI", h, hashes[h][1]) for h in sorted(hashes)],
        0x800,
    )
    titles = btree(
        "Lz",
        [struct.pack("<I", o) + encode(t.title) + b"\0" for t, o in zip(topics, offsets)],
        0x800,
    )
    files = {
        "|CONTEXT": context,
        "|FONT": font_file(),
        "|SYSTEM": system_file(title, offsets[0], date),
        "|TOPIC": topic_data,
        "|TTLBTREE": titles,
    }
    if any(t.map_number is not None for t in topics):
        files["|CTXOMAP"] = context_map(topics, offsets)
    if any(t.keywords for t in topics):
        files["|KWBTREE"], files["|KWDATA"], files["|KWMAP"] = index_files(topics, offsets)
    body, places, position = b"", {}, 16
    for name, content in files.items():
        places[name] = position
        chunk = internal_file(content)
        body += chunk
        position += len(chunk)
    names = sorted(places, key=lambda n: n.encode("ascii"))
    directory = internal_file(
        btree("z4", [n.encode("ascii") + b"\0" + struct.pack("<I", places[n]) for n in names],
              0x400, directory=True)
    )
    total = position + len(directory)
    return struct.pack("<IiiI", MAGIC, position, -1, total) + body + directory
