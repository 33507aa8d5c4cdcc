#!/usr/bin/python3
"""Checks the distribution ZIP as ./run package makes it.

    check_package.py CPACK CPACK_CONFIG SCHEMA FOLDER...

Makes the package that CPACK_CONFIG (the 32-bit build's, which packs both
builds) describes into a folder of its own, unsigned, with a time of its own,
and checks it: SHA256SUMS gives the SHA-256 of every other file; the bill of
materials validates against SCHEMA, the SPDX 2.3 JSON schema, and names every
file but itself and SHA256SUMS with its right checksums, and no other; each
entry carries the time given and no extra fields; and no file holds the path
of a FOLDER (the sources and the build folders), in UTF-8 or UTF-16.
"""
import glob
import hashlib
import json
import os
import subprocess
import sys
import tempfile
import time
import zipfile

import jsonschema

EPOCH = 1700000000
NOT_DESCRIBED = {"SHA256SUMS", "sbom.spdx.json"}


def make_package(cpack, config, folder):
    environment = dict(os.environ, SOURCE_DATE_EPOCH=str(EPOCH), GLYPHOR_SIGN_PFX="")
    made = subprocess.run([cpack, "--config", config, "-B", folder], env=environment, capture_output=True, text=True)
    if made.returncode != 0:
        sys.exit("cpack failed:\n" + made.stdout + made.stderr)
    return glob.glob(os.path.join(folder, "*.zip"))[0]


def differences(what, got, expected):
    """What `got` (a mapping of files) says wrongly of the files `expected` describes."""
    failures = ["%s does not name %s" % (what, path) for path in sorted(expected.keys() - got.keys())]
    failures += ["%s names %s, which the ZIP lacks" % (what, path) for path in sorted(got.keys() - expected.keys())]
    failures += ["%s gives %s as %s, expected %s" % (what, path, got[path], expected[path])
                 for path in sorted(expected.keys() & got.keys()) if got[path] != expected[path]]
    return failures


def check(archive, schema, folders):
    entries = archive.infolist()
    top = entries[0].filename.split("/")[0] + "/"
    files = {entry.filename[len(top):]: archive.read(entry) for entry in entries if not entry.is_dir()}
    failures = ["entry %s has the time %s and extra fields %r" % (entry.filename, entry.date_time, entry.extra)
                for entry in entries if entry.date_time != time.gmtime(EPOCH)[:6] or entry.extra]

    listed = dict(reversed(line.split("  ", 1)) for line in files["SHA256SUMS"].decode().splitlines())
    failures += differences("SHA256SUMS", listed, {path: hashlib.sha256(content).hexdigest()
                                                   for path, content in files.items() if path != "SHA256SUMS"})

    document = json.loads(files["sbom.spdx.json"])
    try:
        jsonschema.validate(document, schema)
    except jsonschema.ValidationError as error:
        failures.append("sbom.spdx.json does not validate: %s at %s" % (error.message, list(error.absolute_path)))
    described = {entry["fileName"].removeprefix("./"): {c["algorithm"]: c["checksumValue"] for c in entry["checksums"]}
                 for entry in document.get("files", [])}
    failures += differences("sbom.spdx.json", described, {
        path: {"SHA1": hashlib.sha1(content).hexdigest(), "SHA256": hashlib.sha256(content).hexdigest()}
        for path, content in files.items() if path not in NOT_DESCRIBED})

    for folder in folders:
        for encoded in (folder.encode(), folder.encode("utf-16-le")):
            failures += ["%s holds the path %s" % (path, folder) for path, content in files.items() if encoded in content]
    return failures


def main(cpack, config, schema_path, *folders):
    with open(schema_path, encoding="utf-8") as schema_file:
        schema = json.load(schema_file)
    with tempfile.TemporaryDirectory() as folder, zipfile.ZipFile(make_package(cpack, config, folder)) as archive:
        failures = check(archive, schema, folders)
        for failure in failures:
            print("FAILED: " + failure)
        print("package: %d files checked, %d failures" % (len(archive.namelist()), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
