#!/usr/bin/python3
"""Counts the test cases that ran in every test program, from the XML reports
the programs wrote into the folders given, and prints one closing line.

    count_cases.py REPORT_DIR...
"""
import glob
import os
import sys
import xml.etree.ElementTree as ElementTree


def main(argv):
    if len(argv) < 2:
        sys.stderr.write(__doc__)
        return 2
    passed = failed = skipped = 0
    reports = sorted(report for folder in argv[1:] for report in glob.glob(os.path.join(folder, "*.xml")))
    for report in reports:
        # A failure message may carry bytes that are not UTF-8, which the
        # programs write as they are: read as such, the report still counts.
        with open(report, "rb") as stream:
            text = stream.read().decode("utf-8", errors="replace")
        for case in ElementTree.fromstring(text).iter("testcase"):
            if case.get("status") == "notrun" or case.get("result") == "skipped":
                skipped += 1
            elif case.find("failure") is not None:
                failed += 1
            else:
                passed += 1
    print(f"\nTest cases in {len(reports)} test programs:")
    print(f"{passed} passed, {failed} failed" + (f", {skipped} skipped" if skipped else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
