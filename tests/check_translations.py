#!/usr/bin/python3
"""Checks every language's catalogues and the resource library and policy texts made of them.

    check_translations.py SOURCE_DIR TRANSLATIONS_DIR BIN_DIR

Each catalogue in SOURCE_DIR/resources/po, and the pseudo-language's that the
build made in TRANSLATIONS_DIR beside the template, translates every text
soundly; the committed templates are the build's; each
BIN_DIR/LANGUAGE/GlyphorRes.dll holds its catalogue's texts under its language
id, mirrored if the catalogue says so, with the English library's file version, and no two controls of a dialog
in it, nor in the English library, mark the same access key. Each language has a catalogue
of the policy texts in resources/po/policy, which translates every text of
the English ADML soundly, and TRANSLATIONS_DIR/policy/CULTURE/Glyphor.adml
holds its texts. The build stops at a catalogue's faults, at their lines.
"""
import collections
import glob
import os
import re
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

import pefile
import polib

sys.path.insert(0, os.path.join(sys.argv[1] if len(sys.argv) > 1 else ".", "resources"))
import adml_texts  # noqa: E402
import rc_texts  # noqa: E402
import translations  # noqa: E402

RT_DIALOG, RT_STRING = 5, 6
WS_EX_LAYOUTRTL = 0x400000
# The policy definitions folder names Chinese by its region, the resource
# libraries by its script, as the resource loader's parents do.
POLICY_CULTURES = {"zh-Hans": "zh-CN", "zh-Hant": "zh-TW"}
WINDOWS_IDS = {"IDOK": 1, "IDCANCEL": 2}

# Faults of a catalogue that stop the build, each made in a copy of the German
# one: the copy's name, the text replaced, what replaces it, and what the
# build says at the line where the replacement ends (at the file when it
# replaces nothing).
BUILD_STOPPERS = [
    ("de.po", 'msgstr "&Hilfe"', 'msgstr "&Hilfe', "unterminated string"),
    ("de.po", 'msgstr "Lizenz"', 'msgstr "Lizenz \udcfc"', "not UTF-8"),  # a Latin-1 ü
    ("de.po", '"IDS_COLUMN_LICENCE"\nmsgid "Licence"\nmsgstr', '"IDS_COLUMN_FONT"\nmsgid "Font"\nmsgstr',
     "IDS_COLUMN_FONT: given twice"),
    ("de.po", 'Schriftarten: %1 von %2"', 'Schriftarten: %1 von %3"', "IDS_FONT_COUNT: inserts"),
    ("de.po", 'msgstr "Schriftarten auf Standardwerte zurücksetzen"',
     'msgstr "Schriftarten auf Standardwerte zurücksetzen%0"', "%0: inserts run"),
    ("de.po", 'msgstr "Lizenz"', 'msgstr "Lizenz 100 %"', "stray % in '%'"),
    ("de.po", '%1 von %2; angezeigt: %3"', '%1!d! von %2; angezeigt: %3"', "insert %1!d!"),
    ("de.po", 'msgstr "&Alle aktivieren"', 'msgstr "Alle ak&tivieren"', "access key T, which"),
    ("de.po", 'msgstr "Nach &Lizenz sortieren"', 'msgstr "Nach Lizenz &sortieren"', "access key S, which"),
    ("de_DE.po", "", "", "de_DE is no locale Windows knows; Windows names it de-DE"),
]


def dialog_texts(data):
    """Caption and control texts, by control id, of an extended dialog template,
    and whether it is mirrored."""
    def text(pos):
        if struct.unpack_from("<H", data, pos)[0] == 0xFFFF:
            return None, pos + 4
        end = pos
        while struct.unpack_from("<H", data, end)[0]:
            end += 2
        return data[pos:end].decode("utf-16-le"), end + 2
    extended_style, style, count = struct.unpack_from("<IIH", data, 8)
    caption, pos = text(text(text(26)[1])[1])  # after the menu and the class
    texts = {"CAPTION": caption}
    if style & 0x40:  # DS_SETFONT: size, weight, italic, charset, face
        pos = text(pos + 6)[1]
    for _ in range(count):
        pos = (pos + 3) & ~3
        control_id = struct.unpack_from("<I", data, pos + 20)[0]
        texts[control_id], pos = text(text(pos + 24)[1])
        pos += 2 + struct.unpack_from("<H", data, pos)[0]
    return texts, bool(extended_style & WS_EX_LAYOUTRTL)


def library_texts(path):
    """The language ids, strings and dialog texts of a resource library, its
    version, and whether each of its dialogs is mirrored."""
    pe = pefile.PE(path)
    languages, texts, mirrored = set(), {}, set()
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for name in kind.directory.entries:
            for language in name.directory.entries:
                languages.add(language.id)
                if kind.id == RT_STRING:
                    texts.update(name.directory.strings)
                elif kind.id == RT_DIALOG:
                    data = pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
                    dialog, is_mirrored = dialog_texts(data)
                    texts.update({(name.id, key): value for key, value in dialog.items()})
                    mirrored.add(is_mirrored)
    info = pe.VS_FIXEDFILEINFO[0]
    translation = [var.entry for entry in pe.FileInfo[0] if entry.Key == b"VarFileInfo" for var in entry.Var]
    return languages, texts, (info.FileVersionMS, info.FileVersionLS), translation, mirrored


def shared_access_keys(texts):
    """Access keys that two controls of one dialog mark, from a library's texts."""
    owners = collections.defaultdict(list)
    for key, text in texts.items():
        if isinstance(key, tuple) and key[1] != "CAPTION" and text:
            for mark in translations.access_keys(text):
                owners[(key[0], mark.casefold())].append(key[1])
    return ["dialog %d: access key %s marked by controls %s" % (dialog, mark.upper(), controls)
            for (dialog, mark), controls in owners.items() if len(controls) > 1]


def faults_missed(script, catalogue, folder):
    """What the build lets through of a catalogue's faults, or where English
    fails to stand in for a text the catalogue lacks or breaks."""
    original = Path(catalogue).read_text("utf-8")
    missed = []
    for name, old, new, said in BUILD_STOPPERS:
        broken, out = os.path.join(folder, name), os.path.join(folder, "broken.rc")
        text = original.replace(old, new, 1)
        Path(broken).write_bytes(text.encode("utf-8", "surrogateescape"))
        line = text[:original.index(old) + len(new)].count("\n") + 1 if new else 0
        made = subprocess.run([sys.executable, rc_texts.__file__, "script", script.path, broken, out],
                              capture_output=True, text=True)
        told = [told for told in made.stderr.splitlines()
                if told.startswith("%s: error: " % (broken if not line else "%s:%d" % (broken, line))) and said in told]
        if made.returncode == 0 or os.path.exists(out) or not told:
            missed.append("%r let through: exit %d, %s" % (said, made.returncode, made.stderr.strip()))
        Path(out).unlink(missing_ok=True)

    po = polib.pofile(catalogue)
    entries = {entry.msgctxt: entry for entry in po}
    po.remove(entries["IDS_COLUMN_FONT"])
    entries["IDS_RESET_CAPTION"].flags.append("fuzzy")
    breakages = {"IDS_PREVIEW_GONE": lambda text: " " + text,
                 "IDD_FONT_SELECT:IDC_FIND_LABEL": lambda text: text.replace("&", ""),
                 "IDD_FONT_SELECT:IDC_HELP_BTN": lambda text: text + " &x",
                 "IDD_FONT_SELECT:IDC_SAMPLE_LABEL": lambda text: "&1 " + text.replace("&", "")}
    for context, breakage in breakages.items():
        entries[context].msgstr = breakage(entries[context].msgstr)
    po.save(os.path.join(folder, "de.po"))
    translation = translations.Translation(script.messages, translations.Catalogue(os.path.join(folder, "de.po")))
    english = {message.context: message.text for message in script.messages}
    broken = ["IDS_COLUMN_FONT", "IDS_RESET_CAPTION"] + list(breakages)
    missed += ["%s let through" % context for context in broken
               if not any(problem.text.startswith(context + ": ") and not problem.error
                          for problem in translation.problems)]
    return missed + ["%s not English" % context for context in broken
                     if translation.texts[context] != english[context]]


def policy_failures(source_dir, translations_dir, languages):
    """What is wrong with the policy texts' catalogues and the ADML made of each."""
    adml = adml_texts.Adml(os.path.join(source_dir, adml_texts.SOURCE))
    folder = os.path.join(source_dir, "resources", "po", "policy")
    failures = []
    if Path(folder, "Glyphor.pot").read_text("utf-8") != Path(translations_dir, "policy", "Glyphor.pot").read_text("utf-8"):
        failures.append("policy template: %s differs from the English ADML's texts: cmake --build BUILD --target "
                        "update_translations writes it" % os.path.join(folder, "Glyphor.pot"))
    cultures = sorted(os.path.basename(path)[:-3] for path in glob.glob(os.path.join(folder, "*.po")))
    failures += ["policy %s: no catalogue of the policy texts" % language for language in languages
                 if not any(POLICY_CULTURES.get(language, language) in (culture, culture.split("-")[0])
                            for culture in cultures)]
    for culture in cultures:
        translation = translations.Translation(adml.messages, translations.Catalogue(os.path.join(folder, culture + ".po")))
        failures += ["policy %s: %s" % (culture, problem) for problem in translation.problems]
        built = adml_texts.Adml(os.path.join(translations_dir, "policy", culture, "Glyphor.adml"))
        texts = {message.context: message.text for message in built.messages}
        failures += ["policy %s: %s reads %r, expected %r" % (culture, context, texts.get(context), text)
                     for context, text in translation.texts.items() if texts.get(context) != text]
    return failures, len(cultures) + 1


def main(source_dir, translations_dir, bin_dir):
    failures = []
    script = rc_texts.Script(os.path.join(source_dir, "resources", "GlyphorRes.rc"))
    with open(os.path.join(source_dir, "dialog", "control_ids.h")) as header:
        ids = dict(WINDOWS_IDS, **{name: int(value) for name, value in re.findall(r"#define (\w+) (\d+)", header.read())})

    def resource_key(context):
        dialog, _, control = context.rpartition(":")
        return (ids[dialog], ids.get(control, control)) if dialog else ids[context]

    committed = os.path.join(source_dir, "resources", "po", "GlyphorRes.pot")
    if Path(committed).read_text("utf-8") != Path(translations_dir, "GlyphorRes.pot").read_text("utf-8"):
        failures.append("template: %s differs from the English texts: cmake --build BUILD --target "
                        "update_translations writes it" % committed)

    catalogues = {os.path.basename(path)[:-3]: path
                  for path in glob.glob(os.path.join(source_dir, "resources", "po", "*.po"))}
    catalogues[translations.PSEUDO_LANGUAGE] = os.path.join(translations_dir, translations.PSEUDO_LANGUAGE + ".po")
    english_texts, english_version = library_texts(os.path.join(bin_dir, "GlyphorRes.dll"))[1:3]
    failures += ["en: %s" % shared for shared in shared_access_keys(english_texts)]
    for language, path in sorted(catalogues.items()):
        catalogue = translations.Catalogue(path)
        translation = translations.Translation(script.messages, catalogue)
        failures += ["%s: %s" % (language, problem) for problem in translation.problems]
        if language == translations.PSEUDO_LANGUAGE:
            failures += ["%s: %s not 30%% longer than in English" % (language, message.context)
                         for message in script.messages
                         if len(translation.texts[message.context]) < 1.3 * len(message.text)]
        languages, texts, version, var, mirrored = library_texts(os.path.join(bin_dir, language, "GlyphorRes.dll"))
        language_id = catalogue.language_id
        if languages != {language_id} or var != [{b"Translation": "0x%04x 0x04b0" % language_id}]:
            failures.append("%s: resources in languages %s, version block's translation %s" % (language, languages, var))
        if mirrored != {catalogue.mirrored}:
            failures.append("%s: dialogs mirrored %s, yet the catalogue's %s is %s" % (
                language, mirrored, translations.DIRECTION, "rtl" if catalogue.mirrored else "ltr"))
        failures += ["%s: %s" % (language, shared) for shared in shared_access_keys(texts)]
        if version != english_version:
            failures.append("%s: file version %s, the English library's %s" % (language, version, english_version))
        failures += ["%s: %s reads %r, expected %r" % (language, context, texts.get(resource_key(context)), text)
                     for context, text in translation.texts.items() if texts.get(resource_key(context)) != text]

    with tempfile.TemporaryDirectory() as folder:
        failures += ["checks: %s" % missed for missed in faults_missed(script, catalogues["de"], folder)]
    if not shared_access_keys({(105, 1046): "&Zur\u00fcck", (105, 1047): "Alle &zeigen", (105, "CAPTION"): "&Z"}):
        failures.append("checks: an access key two controls of a library's dialog share let through")
    policy, policy_checks = policy_failures(source_dir, translations_dir,
                                            [language for language in catalogues if language != translations.PSEUDO_LANGUAGE])
    failures += policy
    for failure in failures:
        print("FAIL:", failure)
    failed = {failure.split(": ")[0] for failure in failures}
    print("%d passed, %d failed" % (len(catalogues) + 3 + policy_checks - len(failed), len(failed)))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
