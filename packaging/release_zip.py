#!/usr/bin/python3
"""Makes the release ZIP of a staged package: the same bytes for the same files.

    release_zip.py PACKAGE_DIR ZIP

Writes PACKAGE_DIR/SHA256SUMS, the SHA-256 of every other file there, as
`sha256sum -c` reads it; then ZIP, which holds PACKAGE_DIR under its own name
(Glyphor-1.0.0-windows/...): every folder before what it holds, in the order
of their names, each entry with SOURCE_DATE_EPOCH's time (the time now when it
is not set), permissions that do not depend on the builder's umask, and no
extra fields (no owner, no further times).
"""
import hashlib
import os
import sys
import time
import zipfile

CHECKSUMS = "SHA256SUMS"
# A ZIP's times are MS-DOS times, which begin in 1980.
EARLIEST = (1980, 1, 1, 0, 0, 0)
FILE_MODE = 0o100644
FOLDER_MODE = 0o040755
MSDOS_DIRECTORY = 0x10


def package_paths(folder):
    """The folders (ending in "/") and files below `folder`, relative to it, in the package's order."""
    paths = []
    for root, folders, files in os.walk(folder):
        relative = os.path.relpath(root, folder)
        prefix = "" if relative == "." else relative.replace(os.sep, "/") + "/"
        paths += [prefix + name + "/" for name in folders] + [prefix + name for name in files]
    # A folder sorts before its contents, which sort by their names.
    return sorted(paths, key=lambda path: path.rstrip("/").split("/"))


def digests(path, algorithms):
    """The file's digests by the hashlib algorithms named, as hexadecimal text."""
    hashes = {algorithm: hashlib.new(algorithm) for algorithm in algorithms}
    with open(path, "rb") as content:
        for block in iter(lambda: content.read(1 << 20), b""):
            for digest in hashes.values():
                digest.update(block)
    return {algorithm: digest.hexdigest() for algorithm, digest in hashes.items()}


def write_checksums(folder):
    files = [path for path in package_paths(folder) if not path.endswith("/") and path != CHECKSUMS]
    with open(os.path.join(folder, CHECKSUMS), "w", encoding="ascii", newline="\n") as sums:
        sums.writelines("%s  %s\n" % (digests(os.path.join(folder, path), ["sha256"])["sha256"], path) for path in files)


def source_date_epoch():
    """The time the package's files carry: SOURCE_DATE_EPOCH's, else the time now."""
    return int(os.environ.get("SOURCE_DATE_EPOCH") or time.time())


def write_zip(folder, zip_path):
    top = os.path.basename(os.path.normpath(folder)) + "/"
    when = max(EARLIEST, time.gmtime(source_date_epoch())[:6])
    with zipfile.ZipFile(zip_path, "w") as archive:
        for path in [""] + package_paths(folder):
            entry = zipfile.ZipInfo(top + path, when)
            entry.create_system = 3  # Unix, whose permissions the attributes give
            if path == "" or path.endswith("/"):
                entry.external_attr = FOLDER_MODE << 16 | MSDOS_DIRECTORY
                archive.writestr(entry, b"")
            else:
                entry.external_attr = FILE_MODE << 16
                entry.compress_type = zipfile.ZIP_DEFLATED
                with open(os.path.join(folder, path), "rb") as content:
                    archive.writestr(entry, content.read(), compresslevel=9)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    write_checksums(sys.argv[1])
    write_zip(sys.argv[1], sys.argv[2])
