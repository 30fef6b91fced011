#!/usr/bin/env python3
"""Packs the release zip once from a finished 32-bit build and checks it:

    check_package.py WIN32_BUILD_DIR OUT_DIR VERSION

The zip and its .sha256 land in OUT_DIR (scripts/package.sh --prebuilt). The
zip must hold one folder mirune-VERSION/ with exactly mirune.exe, readme.txt
and LICENSE.txt; the program must be a PE32 GUI program for i386 whose
version resource and manifest say VERSION, with no link time in its header;
the texts must be UTF-8 with CRLF line ends, the guide with a byte-order mark.
"""

import hashlib
import os
import re
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RT_VERSION, RT_MANIFEST = 16, 24
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)
    return ok


def u16(b, o):
    return struct.unpack_from("<H", b, o)[0]


def u32(b, o):
    return struct.unpack_from("<I", b, o)[0]


class Pe:
    """The headers of a PE image and its resources by type and id."""

    def __init__(self, b):
        self.b = b
        self.pe = u32(b, 0x3C)
        if b[:2] != b"MZ" or b[self.pe : self.pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        self.machine = u16(b, self.pe + 4)
        self.time_stamp = u32(b, self.pe + 8)
        opt = self.pe + 24
        self.magic = u16(b, opt)
        self.subsystem = u16(b, opt + 68)
        sections = opt + u16(b, self.pe + 20)
        self.sections = [
            struct.unpack_from("<IIII", b, sections + 40 * i + 8) for i in range(u16(b, self.pe + 6))
        ]
        # PE32: the resource table is the third data directory.
        self.rsrc = self.offset(u32(b, opt + 96 + 8 * 2)) if self.magic == 0x10B else None

    def offset(self, rva):
        for vsize, va, rawsize, rawptr in self.sections:
            if va <= rva < va + max(vsize, rawsize):
                return rawptr + rva - va
        raise ValueError(f"address {rva:#x} is in no section")

    def resource(self, *path):
        """The bytes of the resource at type/id/... (first language)."""
        directory = 0
        for ident in path + (None,):
            base = self.rsrc + directory
            count = u16(self.b, base + 12) + u16(self.b, base + 14)
            for i in range(count):
                name, target = struct.unpack_from("<II", self.b, base + 16 + 8 * i)
                if ident is None or (not name & 0x80000000 and name == ident):
                    break
            else:
                return None
            if not target & 0x80000000:
                rva, size = struct.unpack_from("<II", self.b, self.rsrc + target)
                return self.b[self.offset(rva) : self.offset(rva) + size]
            directory = target & 0x7FFFFFFF
        return None


def version_node(b, o=0):
    """One VS_VERSIONINFO node: (key, value bytes, children)."""
    length, value_length, kind = struct.unpack_from("<HHH", b, o)
    end = b.index(b"\0\0", o + 6)
    while (end - o - 6) % 2:
        end = b.index(b"\0\0", end + 1)
    key = b[o + 6 : end].decode("utf-16-le")
    pos = (end + 2 + 3) & ~3
    size = value_length * 2 if kind == 1 else value_length
    value = b[pos : pos + size]
    children, child = [], (pos + size + 3) & ~3
    while child < o + length:
        node = version_node(b, child)
        children.append(node)
        child = (child + node[3] + 3) & ~3
    return key, value, children, length


def version_strings(info):
    strings = {}
    for key, _, tables, _ in info[2]:
        if key == "StringFileInfo":
            for _, _, entries, _ in tables:
                for name, value, _, _ in entries:
                    strings[name] = value.decode("utf-16-le").rstrip("\0")
    return strings


def check_program(data, version):
    quad = tuple(int(n) for n in version.split(".")) + (0,)
    try:
        pe = Pe(data)
    except (ValueError, struct.error) as e:
        check(False, f"mirune.exe is a PE image ({e})")
        return
    check(pe.machine == 0x14C and pe.magic == 0x10B, "mirune.exe is PE32 for i386")
    check(pe.subsystem == 2, "mirune.exe is a GUI program (subsystem 2)")
    check(pe.time_stamp == 0, f"no link time in the PE header (time stamp {pe.time_stamp:#x})")
    if pe.rsrc is None:
        return
    raw = pe.resource(RT_VERSION, 1)
    if check(raw is not None, "a version resource"):
        info = version_node(raw)
        fixed = struct.unpack_from("<IIIIII", info[1])
        file_version = (fixed[2] >> 16, fixed[2] & 0xFFFF, fixed[3] >> 16, fixed[3] & 0xFFFF)
        product_version = (fixed[4] >> 16, fixed[4] & 0xFFFF, fixed[5] >> 16, fixed[5] & 0xFFFF)
        check(fixed[0] == 0xFEEF04BD and file_version == quad and product_version == quad,
              f"the version resource's numbers are {quad} (file {file_version}, product {product_version})")
        texts = version_strings(info)
        shown = (texts.get("FileVersion"), texts.get("ProductVersion"))
        check(shown == (version, version), f"its texts say {version} (file, product: {shown})")
    manifest = pe.resource(RT_MANIFEST, 1)
    if check(manifest is not None, "a manifest"):
        identity = ET.fromstring(manifest).find("{urn:schemas-microsoft-com:asm.v1}assemblyIdentity")
        said = None if identity is None else identity.get("version")
        check(said == ".".join(map(str, quad)), f"the manifest's version is {'.'.join(map(str, quad))} ({said})")


def check_text(name, data, bom):
    check(data.startswith(b"\xef\xbb\xbf") == bom, f"{name} {'starts' if bom else 'does not start'} with a BOM")
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError:
        check(False, f"{name} is UTF-8")
        return ""
    bare = len(re.findall(r"(?<!\r)\n|\r(?!\n)", text))
    check(bare == 0 and text.endswith("\r\n"), f"{name} ends every line with CRLF ({bare} other line ends)")
    return text


def main(argv):
    if len(argv) != 4:
        print("usage: check_package.py WIN32_BUILD_DIR OUT_DIR VERSION", file=sys.stderr)
        return 2
    build, out, version = argv[1:]
    name = f"mirune-{version}"
    for old in (f"{name}.zip", f"{name}.zip.sha256"):
        if os.path.exists(os.path.join(out, old)):
            os.remove(os.path.join(out, old))
    packed = subprocess.run(["bash", os.path.join(ROOT, "scripts", "package.sh"), "--prebuilt", build, "--out", out])
    if not check(packed.returncode == 0, f"scripts/package.sh packs {build}/mirune.exe"):
        return 1
    zip_path = os.path.join(out, f"{name}.zip")
    if not check(os.path.isfile(zip_path), f"{name}.zip is written"):
        return 1
    with open(zip_path, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    with open(zip_path + ".sha256", encoding="ascii") as f:
        check(f.read() == f"{digest}  {name}.zip\n", f"{name}.zip.sha256 holds its SHA-256")

    with zipfile.ZipFile(zip_path) as z:
        print(f"{name}.zip:")
        for info in z.infolist():
            print(f"  {info.file_size:>9}  {info.external_attr >> 16:o}  {info.filename}")
        check(z.testzip() is None, "every entry's CRC is right")
        expected = [f"{name}/", f"{name}/LICENSE.txt", f"{name}/mirune.exe", f"{name}/readme.txt"]
        if not check(sorted(z.namelist()) == expected, f"one folder {name}/ with exactly {', '.join(expected[1:])}"):
            return 1
        check_program(z.read(f"{name}/mirune.exe"), version)
        guide = check_text("readme.txt", z.read(f"{name}/readme.txt"), bom=True)
        key = re.search(r'kPositionKey = "\\\\(.*)";', open(os.path.join(ROOT, "src/app/positions.h"), encoding="utf-8").read())
        place = "HKEY_CURRENT_USER\\" + key.group(1).replace("\\\\", "\\")
        check("mirune.ini" in guide and place in guide, f"the guide names mirune.ini and {place}")
        licence = check_text("LICENSE.txt", z.read(f"{name}/LICENSE.txt"), bom=False)
        check(licence.startswith("MIT License\r\n"), "LICENSE.txt is the MIT licence")
    print(f"{len(failures)} failed" if failures else "package check: all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
