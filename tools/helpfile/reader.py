"""Reads a WinHelp 3.1 help file back: its title, contents topic, topics with
their titles, texts and jumps, and the context table. Written apart from the
writer, from the layout the help engines read, to check what the writer made;
it reads uncompressed topic blocks only, as the writer makes them.
"""

import struct
from dataclasses import dataclass, field

BLOCK_SIZE = 0x1000
BLOCK_HEADER = 12


class FormatError(Exception):
    pass


@dataclass
class ReadTopic:
    title: str
    offset: int
    paragraphs: list = field(default_factory=list)  # texts
    jumps: list = field(default_factory=list)  # (shown text, context hash)


@dataclass
class HelpFile:
    title: str
    contents: int
    topics: list
    contexts: dict  # hash -> topic offset
    titles: dict  # topic offset -> title
    keywords: dict = field(default_factory=dict)  # index word -> topic offsets
    numbers: dict = field(default_factory=dict)  # map number -> topic offset


def u16(data, at):
    return struct.unpack_from("<H", data, at)[0]


def u32(data, at):
    return struct.unpack_from("<I", data, at)[0]


def internal(data, at):
    """The content of the internal file whose header starts at `at`."""
    reserved, used, _ = struct.unpack_from("<IIB", data, at)
    if reserved < used + 9 or at + reserved > len(data):
        raise FormatError(f"internal file at {at:#x} does not fit")
    return data[at + 9 : at + 9 + used]


def btree_entries(tree, entry_size):
    """Every leaf entry of a B+ tree, in order; entry_size(page, at) -> size."""
    magic, _, page_size = struct.unpack_from("<HHH", tree, 0)
    if magic != 0x293B:
        raise FormatError("not a B+ tree")
    root, levels = struct.unpack_from("<h", tree, 26)[0], struct.unpack_from("<h", tree, 32)[0]
    pages = tree[38:]
    page = root
    for _ in range(levels - 1):  # down the first entries to the first leaf
        page = u16(pages, page * page_size + 4)
    entries = []
    while page != 0xFFFF:
        base = page * page_size
        count, _, following = struct.unpack_from("<hhh", pages, base + 2)
        at = base + 8
        for _ in range(count):
            size = entry_size(pages, at)
            entries.append(pages[at : at + size])
            at += size
        page = following & 0xFFFF
    return entries


def cstring(data, at):
    end = data.index(b"\0", at)
    return data[at:end].decode("cp1252"), end + 1


def scan_long(data, at):
    if data[at] & 1:
        return (u32(data, at) - 0x80000000) // 2, at + 4
    return (u16(data, at) - 0x8000) // 2, at + 2


def scan_ushort(data, at):
    if data[at] & 1:
        return u16(data, at) // 2, at + 2
    return data[at] // 2, at + 1


def scan_short(data, at):
    if data[at] & 1:
        return (u16(data, at) - 0x8000) // 2, at + 2
    return (data[at] - 0x80) // 2, at + 1


def read_directory(data):
    if u32(data, 0) != 0x00035F3F:
        raise FormatError("not a help file")
    if u32(data, 12) != len(data):
        raise FormatError("file size in the header is wrong")
    tree = internal(data, u32(data, 4))

    def size(pages, at):
        return pages.index(b"\0", at) - at + 5

    directory = {}
    for entry in btree_entries(tree, size):
        name, rest = entry.split(b"\0", 1)
        directory[name.decode("ascii")] = internal(data, u32(rest, 0))
    return directory


def read_system(system):
    magic, minor, major, _, flags = struct.unpack_from("<HHHIH", system, 0)
    if magic != 0x036C or major != 1 or minor <= 16:
        raise FormatError("not a help file of the 3.1 engine")
    if flags != 0:
        raise FormatError("compressed topics are not read here")
    title, contents, at = "", 0, 12
    while at + 4 <= len(system):
        kind, length = struct.unpack_from("<HH", system, at)
        value = system[at + 4 : at + 4 + length]
        if kind == 1:
            title = value.split(b"\0")[0].decode("cp1252")
        elif kind == 3:
            contents = u32(value, 0)
        at += 4 + length
    return title, contents


def paragraph(link, data1_end, text):
    """The text and jumps of one display record."""
    at = 21
    _, at = scan_long(link, at)
    _, at = scan_ushort(link, at)
    at += 4
    bits = u16(link, at)
    at += 2
    if bits & 0x0001:
        _, at = scan_long(link, at)
    for bit in (0x0002, 0x0004, 0x0008, 0x0010, 0x0020, 0x0040):
        if bits & bit:
            _, at = scan_short(link, at)
    if bits & 0x0300:
        raise FormatError("borders and tabs are not read here")
    strings = text.split(b"\0")
    shown, jumps, index, jump = "", [], 0, None
    while at < data1_end:
        piece = strings[index].decode("cp1252") if index < len(strings) else ""
        index += 1
        shown += piece
        if jump is not None:
            jumps.append((piece, jump))
            jump = None
        command = link[at]
        if command == 0xFF:
            break
        if command == 0x80:
            at += 3
        elif command in (0x81, 0x82, 0x83, 0x89):
            at += 1
        elif command in (0xE2, 0xE3):
            jump = struct.unpack_from("<i", link, at + 1)[0]
            at += 5
        else:
            raise FormatError(f"formatting command {command:#x} is not read here")
    return shown, jumps


def read_topics(topic):
    # The blocks' data, without their headers, as one stream.
    stream = b"".join(
        topic[start + BLOCK_HEADER : start + BLOCK_SIZE]
        for start in range(0, len(topic), BLOCK_SIZE)
    )
    data_size = BLOCK_SIZE - BLOCK_HEADER
    topics, pos, chars, block = [], BLOCK_HEADER, 0, 0
    while pos != 0xFFFFFFFF:
        index, inside = pos >> 14, (pos & 0x3FFF) - BLOCK_HEADER
        if index != block:
            block, chars = index, 0
        at = index * data_size + inside
        size, len2, _, following, len1, kind = struct.unpack_from("<IIIIIB", stream, at)
        link = stream[at : at + size]
        text = link[len1:]
        if len(text) != len2:
            raise FormatError("phrase-compressed text is not read here")
        if kind == 0x02:
            topics.append(ReadTopic(cstring(text, 0)[0], index * 0x8000 + chars))
        elif kind == 0x20:
            if not topics:
                raise FormatError("text before the first topic")
            length, _ = scan_ushort(link, scan_long(link, 21)[1])
            chars += length
            shown, jumps = paragraph(link, len1, text)
            topics[-1].paragraphs.append(shown)
            topics[-1].jumps.extend(jumps)
        else:
            raise FormatError(f"record type {kind:#x} is not read here")
        pos = following
    return topics


def read_help(data):
    directory = read_directory(data)
    for name in ("|SYSTEM", "|TOPIC", "|FONT", "|CONTEXT"):
        if name not in directory:
            raise FormatError(f"no {name}")
    title, contents = read_system(directory["|SYSTEM"])
    topics = read_topics(directory["|TOPIC"])
    contexts = {
        struct.unpack_from("<i", e, 0)[0]: u32(e, 4)
        for e in btree_entries(directory["|CONTEXT"], lambda pages, at: 8)
    }
    titles = {}
    if "|TTLBTREE" in directory:

        def size(pages, at):
            return pages.index(b"\0", at + 4) - at + 1

        for entry in btree_entries(directory["|TTLBTREE"], size):
            titles[u32(entry, 0)] = cstring(entry, 4)[0]
    help = HelpFile(title, contents, topics, contexts, titles)
    if "|KWBTREE" in directory:
        data = directory["|KWDATA"]

        def size(pages, at):
            return pages.index(b"\0", at) - at + 7

        words = [cstring(e, 0)[0] for e in btree_entries(directory["|KWBTREE"], size)]
        if [w.upper() for w in words] != sorted(w.upper() for w in words):
            raise FormatError("the index words are out of order")
        for entry in btree_entries(directory["|KWBTREE"], size):
            word, at = cstring(entry, 0)
            count, start = struct.unpack_from("<hI", entry, at)
            help.keywords[word] = [u32(data, start + 4 * i) for i in range(count)]
    if "|CTXOMAP" in directory:
        numbers = directory["|CTXOMAP"]
        for i in range(u16(numbers, 0)):
            number, offset = struct.unpack_from("<iI", numbers, 2 + 8 * i)
            help.numbers[number] = offset
    return help
