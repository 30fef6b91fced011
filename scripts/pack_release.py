#!/usr/bin/env python3
"""Writes the release zip, the same bytes for the same inputs:

    pack_release.py ZIP FOLDER EPOCH NAME=KIND:PATH ...

ZIP gets one folder FOLDER/ holding each NAME, read from PATH. KIND says how:
  binary    as it is
  text      UTF-8 with CRLF line ends (for Notepad)
  text-bom  the same, with a byte-order mark first
Every entry carries the time EPOCH (seconds since 1970, UTC) and fixed
permissions, the entries come in name order, and nothing of this machine
(owner, umask, time zone, clock) reaches the archive. The zip is written
beside ZIP and renamed into place, so a failure leaves no half-written file.
"""

import os
import sys
import tempfile
import time
import zipfile

# A release file is a few MB; anything far larger is not what was meant.
MAX_FILE_BYTES = 64 * 1024 * 1024


def fail(message):
    print(f"pack_release: {message}", file=sys.stderr)
    sys.exit(1)


def crlf_text(path, bom):
    with open(path, "rb") as f:
        data = f.read(MAX_FILE_BYTES + 1)
    if len(data) > MAX_FILE_BYTES:
        fail(f"{path} is larger than {MAX_FILE_BYTES} bytes")
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError as e:
        fail(f"{path} is not UTF-8 ({e})")
    text = text.removeprefix("\ufeff").replace("\r\n", "\n")
    if "\r" in text:
        fail(f"{path} has a carriage return that ends no line")
    if not text.endswith("\n"):
        text += "\n"
    return ("\ufeff" if bom else "") + text.replace("\n", "\r\n")


def entry(name, epoch, mode):
    # DOS time has a two-second step and starts in 1980.
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    info = zipfile.ZipInfo(name, date_time=stamp)
    info.create_system = 3  # Unix: the mode below is what unzip gives
    info.external_attr = mode << 16
    if name.endswith("/"):
        info.external_attr |= 0x10  # the MS-DOS directory flag
    else:
        info.compress_type = zipfile.ZIP_DEFLATED
    return info


def main(argv):
    if len(argv) < 5:
        fail("usage: pack_release.py ZIP FOLDER EPOCH NAME=KIND:PATH ...")
    out, folder, epoch_text = argv[1:4]
    try:
        epoch = int(epoch_text)
    except ValueError:
        fail(f"not a time in seconds: {epoch_text}")
    files = []
    for argument in argv[4:]:
        name, sep, rest = argument.partition("=")
        kind, sep2, path = rest.partition(":")
        if not (sep and sep2 and name and path) or "/" in name:
            fail(f"not NAME=KIND:PATH: {argument}")
        if not os.path.isfile(path):
            fail(f"no such file: {path}")
        if kind == "binary":
            with open(path, "rb") as f:
                data = f.read(MAX_FILE_BYTES + 1)
        elif kind in ("text", "text-bom"):
            data = crlf_text(path, kind == "text-bom").encode("utf-8")
        else:
            fail(f"unknown kind {kind} for {name}")
        if len(data) > MAX_FILE_BYTES:
            fail(f"{path} is larger than {MAX_FILE_BYTES} bytes")
        mode = 0o100755 if name.endswith(".exe") else 0o100644
        files.append((name, data, mode))
    files.sort(key=lambda f: f[0].encode("utf-8"))

    directory = os.path.dirname(os.path.abspath(out))
    os.makedirs(directory, exist_ok=True)
    fd, partial = tempfile.mkstemp(prefix=".pack-", dir=directory)
    try:
        with os.fdopen(fd, "wb") as f, zipfile.ZipFile(f, "w") as z:
            z.writestr(entry(folder + "/", epoch, 0o040755), b"")
            for name, data, mode in files:
                z.writestr(entry(f"{folder}/{name}", epoch, mode), data, compresslevel=9)
        os.chmod(partial, 0o644)
        os.replace(partial, out)
    except BaseException:
        os.unlink(partial)
        raise


if __name__ == "__main__":
    main(sys.argv)
