"""What the static checks need to know about a PE file: the processor it is
built for, and the objdump that reads it."""
import struct

MACHINES = {0x014C: "i386", 0x8664: "x86_64"}
OBJDUMPS = {"i386": "i686-w64-mingw32-objdump", "x86_64": "x86_64-w64-mingw32-objdump"}


def machine_of(path):
    """'i386', 'x86_64', or a description of what the file is instead."""
    with open(path, "rb") as f:
        header = f.read(4096)
    if len(header) < 0x40 or header[:2] != b"MZ":
        return "not a PE file"
    (offset,) = struct.unpack_from("<I", header, 0x3C)
    if offset + 6 > len(header) or header[offset:offset + 4] != b"PE\0\0":
        return "not a PE file"
    (machine,) = struct.unpack_from("<H", header, offset + 4)
    return MACHINES.get(machine, f"machine 0x{machine:04x}")


def objdump_for(path):
    return OBJDUMPS.get(machine_of(path), OBJDUMPS["i386"])


def _sections(data, nt):
    count, = struct.unpack_from("<H", data, nt + 6)
    optional_size, = struct.unpack_from("<H", data, nt + 20)
    first = nt + 24 + optional_size
    sections = []
    for i in range(count):
        at = first + 40 * i
        size, rva, raw_size, raw = struct.unpack_from("<IIII", data, at + 8)
        sections.append((rva, max(size, raw_size), raw))
    return sections


def exports_of(path):
    """The export table as {ordinal: name or None} for every filled slot."""
    with open(path, "rb") as f:
        data = f.read()
    nt, = struct.unpack_from("<I", data, 0x3C)
    optional = nt + 24
    magic, = struct.unpack_from("<H", data, optional)
    directories = optional + (96 if magic == 0x10B else 112)
    export_rva, export_size = struct.unpack_from("<II", data, directories)
    if export_rva == 0:
        return {}
    sections = _sections(data, nt)

    def at(rva):
        for start, size, raw in sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f"{path}: address 0x{rva:x} is in no section")

    def text(rva):
        offset = at(rva)
        return data[offset:data.index(b"\0", offset)].decode("ascii")

    d = at(export_rva)
    base, functions, names, functions_rva, names_rva, ordinals_rva = \
        struct.unpack_from("<IIIIII", data, d + 16)
    table = {}
    for i in range(functions):
        rva, = struct.unpack_from("<I", data, at(functions_rva) + 4 * i)
        if rva:
            table[base + i] = None
    for i in range(names):
        name_rva, = struct.unpack_from("<I", data, at(names_rva) + 4 * i)
        index, = struct.unpack_from("<H", data, at(ordinals_rva) + 2 * i)
        table[base + index] = text(name_rva)
    return table


def _version_block(data, at):
    """One block of a version resource: (key, value bytes, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    end = at + length
    key_at = at + 6
    key_end = key_at
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[key_at:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if kind == 1 else value_length
    value = data[value_at:value_at + value_size]
    children = []
    child = (value_at + value_size + 3) & ~3
    while child < end:
        block = _version_block(data, child)
        children.append(block)
        child = (block[3] + 3) & ~3
    return key, value, children, end


def version_info(path):
    """(fixed file version text, {string name: value}) of the file's version
    resource, or None when it has none."""
    with open(path, "rb") as f:
        data = f.read()
    marker = "VS_VERSION_INFO".encode("utf-16-le") + b"\0\0"
    at = data.find(marker)
    if at < 6:
        return None
    key, value, children, _ = _version_block(data, at - 6)
    signature, _, ms, ls = struct.unpack_from("<IIII", value, 0)
    if signature != 0xFEEF04BD:
        return None
    fixed = f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    strings = {}
    for child in children:
        if child[0] == "StringFileInfo":
            for table in child[2]:
                for name, text, _, _ in table[2]:
                    strings[name] = text.decode("utf-16-le").rstrip("\0")
    return fixed, strings
