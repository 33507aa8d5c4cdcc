#!/usr/bin/python3
"""Checks what the shipped modules import and export, as a loader sees them.

    check_binaries.py BIN_DIR OBJDUMP ARCH

ARCH is x86 or x64: every module in BIN_DIR is built for it. Glyphor.dll may
import only Windows system libraries, the framework and host stand-ins and the
MinGW runtime of that architecture, and must export exactly its five functions
under their ordinals. Neither it nor the framework sets the cursor: the
dialog shows no wait cursor. GlyphorFaces.exe, which ships beside the library,
is a console program that imports no more than the library does.
GlyphorRes.dll carries resources only: no imports, no exports, no entry
point. Each module and program of ours that the package ships, every
translation included, carries a version block with our copyright and
licence; of the runtime DLLs, only libwinpthread-1.dll carries one, as the
install note says.
"""
import glob
import os
import re
import subprocess
import sys

import pefile

SYSTEM = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "comctl32.dll", "msvcrt.dll",
          "oleacc.dll", "oleaut32.dll", "ole32.dll"}
PROJECT = {"framework.dll", "kyreg8.dll", "vexi16.dll"}
RUNTIME = {
    "x86": {"libgcc_s_dw2-1.dll", "libstdc++-6.dll", "libwinpthread-1.dll"},
    "x64": {"libgcc_s_seh-1.dll", "libstdc++-6.dll", "libwinpthread-1.dll"},
}
FILE_FORMAT = {"x86": "pei-i386", "x64": "pei-x86-64"}
EXPORTS = {"runGlyphorDialog": 1, "IsEnabledForFacename": 2, "IsColdStart": 3, "SetAllToDefaults": 4,
           "IsEnabledForFacenameW": 5}
OURS = ("Glyphor.dll", "GlyphorRes.dll", "framework.dll", "kyreg8.dll", "vexi16.dll", "GlyphorDriver.exe",
        "GlyphorFaces.exe")
COPYRIGHT = re.compile(r"Copyright \(c\) \d{4} The Glyphor developers\. Released under the MIT License\.")


def private_headers(objdump, path):
    return subprocess.run([objdump, "-p", path], check=True, capture_output=True, text=True).stdout


def imports(headers):
    return {name.lower() for name in re.findall(r"DLL Name: (\S+)", headers)}


def imported_functions(headers):
    return set(re.findall(r"^\s*[0-9a-f]+\s+\d+\s+(\S+)$", headers, re.M))


def exports(headers):
    base = re.search(r"Ordinal Base\s+(\d+)", headers)
    table = headers.split("[Ordinal/Name Pointer] Table", 1)
    if not base or len(table) < 2:
        return {}
    entries = re.findall(r"^\s*\[\s*(\d+)\] (\S+)$", table[1].split("\n\n", 1)[0], re.M)
    return {name: int(index) + int(base.group(1)) for index, name in entries}


def version_strings(path):
    """The strings of a module's version block, or None when it has none."""
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    if not hasattr(pe, "VS_FIXEDFILEINFO"):
        return None
    return {key.decode(): value.decode() for info in getattr(pe, "FileInfo", []) for entry in info
            for table in getattr(entry, "StringTable", []) for key, value in table.entries.items()}


def file_format(headers):
    found = re.search(r"file format (\S+)", headers)
    return found.group(1) if found else "unknown"


def main(bin_dir, objdump, arch):
    failures = []
    modules = sorted(glob.glob(bin_dir + "/*.dll") + glob.glob(bin_dir + "/*.exe"))
    formats = {os.path.basename(path): file_format(private_headers(objdump, path)) for path in modules}
    wrong = ["%s (%s)" % item for item in sorted(formats.items()) if item[1] != FILE_FORMAT[arch]]
    if wrong or not modules:
        failures.append("modules not built for %s: %s" % (arch, ", ".join(wrong) or "none found"))
    glyphor = private_headers(objdump, bin_dir + "/Glyphor.dll")
    foreign = sorted(imports(glyphor) - SYSTEM - PROJECT - RUNTIME[arch])
    if foreign:
        failures.append("Glyphor.dll imports unexpected libraries: %s" % ", ".join(foreign))
    if not {"framework.dll", "kyreg8.dll", "vexi16.dll"} <= imports(glyphor):
        failures.append("Glyphor.dll does not import the framework and host libraries: %s" % sorted(imports(glyphor)))
    found = exports(glyphor)
    if found != EXPORTS:
        failures.append("Glyphor.dll exports %s, expected %s" % (sorted(found.items()), sorted(EXPORTS.items())))

    faces = private_headers(objdump, bin_dir + "/GlyphorFaces.exe")
    foreign = sorted(imports(faces) - SYSTEM - PROJECT - RUNTIME[arch])
    if foreign:
        failures.append("GlyphorFaces.exe imports unexpected libraries: %s" % ", ".join(foreign))
    if not re.search(r"Subsystem\s+0+3\b", faces):
        failures.append("GlyphorFaces.exe is not a console program")

    for module in ("Glyphor.dll", "framework.dll"):
        if "SetCursor" in imported_functions(private_headers(objdump, bin_dir + "/" + module)):
            failures.append("%s sets the cursor" % module)

    resources = private_headers(objdump, bin_dir + "/GlyphorRes.dll")
    if imports(resources) or exports(resources):
        failures.append("GlyphorRes.dll is not resource-only: imports %s, exports %s"
                        % (sorted(imports(resources)), sorted(exports(resources))))
    if not re.search(r"AddressOfEntryPoint\s+0+\b", resources):
        failures.append("GlyphorRes.dll has an entry point")

    catalogues = glob.glob(os.path.join(os.path.dirname(os.path.abspath(__file__)), "../resources/po/*.po"))
    languages = sorted(os.path.splitext(os.path.basename(path))[0] for path in catalogues)
    shipped = [bin_dir + "/" + module for module in OURS] + [bin_dir + "/%s/GlyphorRes.dll" % language
                                                              for language in languages]
    unlicensed = ["%s (%s)" % (os.path.relpath(path, bin_dir), strings and strings.get("LegalCopyright"))
                  for path, strings in ((path, version_strings(path)) for path in shipped)
                  if strings is None or not COPYRIGHT.fullmatch(strings.get("LegalCopyright", ""))]
    if unlicensed:
        failures.append("no version block with our copyright and licence: %s" % ", ".join(unlicensed))
    versioned = sorted(dll for dll in RUNTIME[arch] if version_strings(bin_dir + "/" + dll) is not None)
    if versioned != ["libwinpthread-1.dll"]:
        failures.append("runtime DLLs with a version block: %s, the install note says libwinpthread-1.dll" % versioned)

    for failure in failures:
        print("FAIL:", failure)
    print("%d passed, %d failed" % (11 - len(failures), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[3] not in FILE_FORMAT:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
