#!/usr/bin/python3
"""Writes the bill of materials of a staged package: sbom.spdx.json, SPDX 2.3 in JSON.

    bill_of_materials.py PACKAGE_DIR SOURCE_DIR VERSION COMPONENTS...

PACKAGE_DIR holds the package's files as they ship, in a folder named as the
ZIP is (Glyphor-1.0.0-windows); SOURCE_DIR is the checkout they were built
from; each COMPONENTS file is a build's components.tsv (see
packaging/components.cmake). The document describes the package Glyphor of
VERSION under the MIT licence, built from the checkout's commit, with every
file of PACKAGE_DIR and its checksums; the Debian packages of the runtime
DLLs it ships, each DLL made from its package, as what it depends on at run
time; and the Debian packages of the build's tools as what its build depends
on. Its time is SOURCE_DATE_EPOCH's (the time now when that is not set) and
it names no folder of the build machine, so the same files make the same
document.
"""
import hashlib
import json
import os
import re
import subprocess
import sys
import time
import urllib.parse
import uuid

from release_zip import CHECKSUMS, digests, package_paths, source_date_epoch

DOCUMENT = "sbom.spdx.json"
GLYPHOR = "SPDXRef-Package-Glyphor"
GLYPHOR_LICENCE = "MIT"
# What each kind of component is to the package, and to its build.
KINDS = {
    "runtime": {"purpose": "LIBRARY", "relationship": "RUNTIME_DEPENDENCY_OF"},
    "tool": {"purpose": "APPLICATION", "relationship": "BUILD_DEPENDENCY_OF"},
}


def spdx_id(kind, name):
    return "SPDXRef-%s-%s" % (kind, re.sub(r"[^A-Za-z0-9.]+", "-", name))


def source_commit(source_dir):
    """The checkout's commit, and whether its tracked files differ from it; None outside Git."""
    def git(*args):
        return subprocess.run(["git", "-C", source_dir, *args], capture_output=True, text=True)
    head = git("rev-parse", "--verify", "-q", "HEAD")
    if head.returncode != 0:
        return None, False
    changed = git("status", "--porcelain", "--untracked-files=no").stdout.strip() != ""
    return head.stdout.strip(), changed


def read_components(paths):
    """The Debian packages the builds name, by package name: each with its fields and what it gives."""
    packages = {}
    for path in paths:
        with open(path, encoding="utf-8") as lines:
            for line in filter(None, lines.read().splitlines()):
                kind, what, licence, name, version, architecture, source = line.split("\t")
                package = packages.setdefault(name, {
                    "kind": kind, "licence": licence, "version": version, "architecture": architecture,
                    "source": source, "gives": []})
                if (package["kind"], package["licence"]) != (kind, licence):
                    sys.exit("bill_of_materials.py: %s is named as %s (%s) and as %s (%s)"
                             % (name, package["kind"], package["licence"], kind, licence))
                package["gives"].append(what)
    return packages


def file_entries(folder):
    files = []
    for path in package_paths(folder):
        if path.endswith("/") or path in (DOCUMENT, CHECKSUMS):
            continue
        sums = digests(os.path.join(folder, path), ["sha1", "sha256"])
        files.append({
            "SPDXID": spdx_id("File", path),
            "fileName": "./" + path,
            "checksums": [{"algorithm": algorithm.upper(), "checksumValue": value} for algorithm, value in sums.items()],
        })
    if len({entry["SPDXID"] for entry in files}) != len(files):
        sys.exit("bill_of_materials.py: two files of %s make the same SPDX id" % folder)
    return files


def listed(items):
    return " and ".join(filter(None, [", ".join(items[:-1]), items[-1]]))


def debian_package(name, package):
    purl = "pkg:deb/debian/%s@%s?arch=%s" % (name, urllib.parse.quote(package["version"], safe=""),
                                              package["architecture"])
    if package["kind"] == "runtime":
        comment = "Gives %s, each with its debugging information removed; the licence given is theirs." % listed(
            package["gives"])
    else:
        comment = "The build's %s." % listed(package["gives"])
    return {
        "SPDXID": spdx_id("Package-deb", name),
        "name": name,
        "versionInfo": package["version"],
        "supplier": "Organization: Debian",
        "downloadLocation": "NOASSERTION",
        "filesAnalyzed": False,
        "sourceInfo": "built from the Debian source package %s" % package["source"],
        "licenseConcluded": "NOASSERTION",
        "licenseDeclared": package["licence"],
        "copyrightText": "NOASSERTION",
        "externalRefs": [{"referenceCategory": "PACKAGE-MANAGER", "referenceType": "purl", "referenceLocator": purl}],
        "comment": comment,
        "primaryPackagePurpose": KINDS[package["kind"]]["purpose"],
    }


def glyphor_package(version, zip_name, files, commit, changed):
    # The verification code: SHA-1 of the files' SHA-1s in order.
    sha1s = sorted(next(c["checksumValue"] for c in entry["checksums"] if c["algorithm"] == "SHA1") for entry in files)
    package = {
        "SPDXID": GLYPHOR,
        "name": "Glyphor",
        "versionInfo": version,
        "packageFileName": zip_name,
        "supplier": "Organization: Glyphor",
        "downloadLocation": "NOASSERTION",
        "filesAnalyzed": True,
        "packageVerificationCode": {
            "packageVerificationCodeValue": hashlib.sha1("".join(sha1s).encode()).hexdigest(),
            "packageVerificationCodeExcludedFiles": ["./" + DOCUMENT, "./" + CHECKSUMS],
        },
        "licenseConcluded": "NOASSERTION",
        "licenseDeclared": GLYPHOR_LICENCE,
        "copyrightText": "NOASSERTION",
        "primaryPackagePurpose": "LIBRARY",
    }
    if commit is None:
        package["sourceInfo"] = "built from sources outside Git"
    elif changed:
        package["sourceInfo"] = "built from the Git commit %s with changes not committed" % commit
    else:
        package["sourceInfo"] = "built from the Git commit %s" % commit
        # A Software Heritage id of a commit (a revision) is its Git hash.
        package["externalRefs"] = [{"referenceCategory": "PERSISTENT-ID", "referenceType": "swh",
                                    "referenceLocator": "swh:1:rev:" + commit}]
    return package


def document(folder, source_dir, version, component_files):
    name = os.path.basename(os.path.normpath(folder))
    files = file_entries(folder)
    commit, changed = source_commit(source_dir)
    glyphor = glyphor_package(version, name + ".zip", files, commit, changed)
    packages = read_components(component_files)
    relationships = [{"spdxElementId": "SPDXRef-DOCUMENT", "relationshipType": "DESCRIBES", "relatedSpdxElement": GLYPHOR}]
    relationships += [{"spdxElementId": GLYPHOR, "relationshipType": "CONTAINS", "relatedSpdxElement": entry["SPDXID"]}
                      for entry in files]
    shipped = {entry["fileName"][2:]: entry["SPDXID"] for entry in files}
    for package_name, package in sorted(packages.items()):
        package_id = spdx_id("Package-deb", package_name)
        relationships.append({"spdxElementId": package_id, "relationshipType": KINDS[package["kind"]]["relationship"],
                              "relatedSpdxElement": GLYPHOR})
        for place in package["gives"] if package["kind"] == "runtime" else []:
            if place not in shipped:
                sys.exit("bill_of_materials.py: the package lacks the runtime DLL %s" % place)
            relationships.append({"spdxElementId": shipped[place], "relationshipType": "GENERATED_FROM",
                                  "relatedSpdxElement": package_id})
    identity = uuid.uuid5(uuid.NAMESPACE_URL, "%s %s" % (glyphor["packageVerificationCode"]["packageVerificationCodeValue"],
                                                         commit))
    return {
        "spdxVersion": "SPDX-2.3",
        "dataLicense": "CC0-1.0",
        "SPDXID": "SPDXRef-DOCUMENT",
        "name": name,
        "documentNamespace": "https://spdx.org/spdxdocs/%s-%s" % (name, identity),
        "creationInfo": {
            "created": time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(source_date_epoch())),
            "creators": ["Organization: Glyphor", "Tool: Glyphor-bill_of_materials.py-" + version],
        },
        "packages": [glyphor] + [debian_package(package_name, package) for package_name, package in sorted(packages.items())],
        "files": files,
        "relationships": relationships,
    }


if __name__ == "__main__":
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    folder, source_dir, version, *component_files = sys.argv[1:]
    content = document(folder, source_dir, version, component_files)
    with open(os.path.join(folder, DOCUMENT), "w", encoding="utf-8", newline="\n") as output:
        json.dump(content, output, indent=2)
        output.write("\n")
