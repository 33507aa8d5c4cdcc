#!/usr/bin/python3
"""Checks that both builds keep one user's switches in the same place.

    check_cross_architecture.py X86_BIN_DIR X64_BIN_DIR

Runs under Wine, in a 64-bit prefix, the driver stand-in of each build in
turn on the profile that KYREG8_PROFILE_KEY names: the lists that one
architecture's library writes are read unchanged by the other's, both ways.
The profile lies under HKEY_CURRENT_USER\\Software, which the registry does not
redirect between its 32-bit and 64-bit views. The profile is removed afterwards.
"""
import os
import subprocess
import sys
import tempfile

EXCLUDED = "Times New Roman Bold Italic"  # one of the default embedding exclusions
NOT_LISTED = "Glyphor Cross Architecture Face"
MISSING = " (no such face installed)"  # neither face is installed in the prefix


def wine(directory, *args):
    # The output goes through a file: Wine's services, started by the first
    # program, inherit its handles and would hold a pipe open.
    with tempfile.TemporaryFile() as output:
        subprocess.run(["wine", *args], cwd=directory, stdin=subprocess.DEVNULL, stdout=output,
                       stderr=subprocess.DEVNULL, timeout=120)
        output.seek(0)
        return output.read().decode(errors="replace").replace("\r", "").strip()


def remove_profile(profile):
    wine(None, "reg", "delete", "HKCU\\" + profile, "/f")


def check(writer, reader, profile):
    """The failures of one direction: `writer` sets the defaults, `reader` reads them."""
    remove_profile(profile)
    wine(None, "reg", "add", "HKCU\\" + profile + "\\General", "/f")
    (writer_arch, writer_bin), (reader_arch, reader_bin) = writer, reader
    expected = [
        ((reader_bin, "GlyphorDriver.exe", "cold-start"), "cold start: yes"),
        ((writer_bin, "GlyphorDriver.exe", "defaults"), "SetAllToDefaults: 0"),
        ((reader_bin, "GlyphorDriver.exe", "cold-start"), "cold start: no"),
        ((reader_bin, "GlyphorDriver.exe", "query", EXCLUDED), 'embedding switch of "%s": off%s' % (EXCLUDED, MISSING)),
        ((reader_bin, "GlyphorDriver.exe", "query", EXCLUDED, "--tessellation"),
         'tessellation switch of "%s": on%s' % (EXCLUDED, MISSING)),
        ((reader_bin, "GlyphorDriver.exe", "query", NOT_LISTED), 'embedding switch of "%s": on%s' % (NOT_LISTED, MISSING)),
    ]
    failures = []
    for (directory, *args), want in expected:
        got = wine(directory, *args)
        if got != want:
            failures.append("%s wrote, %s read: %s gave %r, expected %r"
                            % (writer_arch, reader_arch, " ".join(args[1:]), got, want))
    return failures


def main(x86_bin, x64_bin):
    profile = os.environ.get("KYREG8_PROFILE_KEY")
    if not profile:
        sys.exit("KYREG8_PROFILE_KEY must name the profile to work on")
    x86, x64 = ("x86", x86_bin), ("x64", x64_bin)
    try:
        failures = check(x64, x86, profile) + check(x86, x64, profile)
    finally:
        remove_profile(profile)
    for failure in failures:
        print("FAIL:", failure)
    print("cross_architecture: %d of the checks failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
