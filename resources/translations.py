"""Gettext catalogues of the texts a user reads, whatever file they come from.

A source format (the resource script, see rc_texts.py) lists its texts as
Messages; this module makes the template catalogue of them, reads a
language's catalogue back with English standing in for what it lacks or
breaks, makes the pseudo-language and checks a catalogue as the build and the
tests do.
"""
import collections
import glob
import math
import os
import re
import sys

import polib

# The Windows language id of each language a catalogue may be written for,
# by the name of its catalogue and of the folder its library goes into.
LANGUAGE_IDS = {
    "de": 0x0407,
    "fr": 0x040C,
    "es": 0x0C0A,
    "it": 0x0410,
    "pt-BR": 0x0416,
    "ru": 0x0419,
    "pl": 0x0415,
    "ja": 0x0411,
    "ko": 0x0412,
    "zh-Hans": 0x0004,
    "zh-Hant": 0x7C04,
    # Windows' pseudo-language: longer, accented texts to show what would clip.
    "qps-ploc": 0x0501,
}
PSEUDO_LANGUAGE = "qps-ploc"

# A numbered insert as FormatMessage takes it, with its optional printf part.
INSERT = re.compile(r"%[1-9][0-9]?(?:![^!]*!)?")
# An access key marker: "&&" is an ampersand shown as such.
MNEMONIC = re.compile(r"&(&|.)", re.S)
# What joins a text to the one before or after it.
_JOINING = " \t\n"


class Message:
    """One text of a source: its context names the resource it belongs to.

    mnemonic_group names the window (dialog) whose access keys it shares,
    or is None for a text whose "&" is shown as it is.
    """

    def __init__(self, context, text, notes=(), mnemonic_group=None):
        self.context = context
        self.text = text
        self.notes = list(notes)
        self.mnemonic_group = mnemonic_group

    def comment(self):
        notes = [note[:1].upper() + note[1:] for note in self.notes]
        inserts = sorted(set(INSERT.findall(self.text)))
        if len(inserts) == 1:
            notes.append("%s is filled in when the text is shown: keep it." % inserts[0])
        elif inserts:
            notes.append("%s and %s are filled in when the text is shown: keep each once, in the order your "
                         "language needs." % (", ".join(inserts[:-1]), inserts[-1]))
        if self.mnemonic_group and access_keys(self.text):
            notes.append("& marks the access key (Alt+letter): keep one, on a letter that no other text "
                         "of this window marks.")
        if any(_ends(self.text)):
            notes.append("Keep the spaces at its start and end: this text is joined to another.")
        return "\n".join(notes)


def access_keys(text):
    """The characters marked as access keys in a control's text."""
    return [key for key in MNEMONIC.findall(text) if key != "&"]


def template(messages, source, project):
    """The template catalogue (.pot) of a source's messages, in their order."""
    pot = polib.POFile(wrapwidth=78)
    pot.header = "Texts of %s to translate. Made by the build; translate LANG.po, not this file." % source
    pot.metadata = {
        "Project-Id-Version": project,
        "MIME-Version": "1.0",
        "Content-Type": "text/plain; charset=UTF-8",
        "Content-Transfer-Encoding": "8bit",
    }
    for message in messages:
        pot.append(polib.POEntry(msgctxt=message.context, msgid=message.text, msgstr="",
                                 comment=message.comment(), occurrences=[(source, "")]))
    return pot


def update(messages, source, project, folder, template_name):
    """Writes the template of a source's messages into `folder` and merges it
    into every catalogue there."""
    pot = template(messages, source, project)
    pot.save(os.path.join(folder, template_name))
    for po_path in sorted(glob.glob(os.path.join(folder, "*.po"))):
        po = polib.pofile(po_path, wrapwidth=78)
        merge(po, pot)
        po.save()


def run(doc, command, args, messages, source, project, template_name, commands):
    """Carries out a script's command: `template POT` or `update PO_DIR`,
    which every script of texts takes, or one of its own `commands`, each a
    name with its count of arguments and what it does with them."""
    commands = dict(commands,
                    template=(1, lambda pot: template(messages, source, project).save(pot)),
                    update=(1, lambda folder: update(messages, source, project, folder, template_name)))
    count, action = commands.get(command, (None, None))
    if count != len(args):
        sys.exit(doc)
    action(*args)


def merge(po, pot):
    """Brings a language's catalogue up to the template, as msgmerge does,
    keeping the template's order; texts gone from it stay as obsolete."""
    po.merge(pot)
    order = {(entry.msgctxt, entry.msgid): index for index, entry in enumerate(pot)}
    po[:] = sorted(po, key=lambda entry: order.get((entry.msgctxt, entry.msgid), len(order)))


def pseudo_catalogue(messages, source, project):
    """The pseudo-language's catalogue: every text translated by pseudo_text."""
    po = template(messages, source, project)
    po.metadata["Language"] = PSEUDO_LANGUAGE
    for entry, message in zip(po, messages):
        entry.msgstr = pseudo_text(message.text, bool(message.mnemonic_group))
    return po


_ACCENTED = str.maketrans("acdeghijklnorstuwyzACDEGHIJKLNORSTUWYZ",
                          "åçďéğĥîĵķļñöŕšţüŵýžÅÇĎÉĞĤÎĴĶĻÑÖŔŠŢÜŴÝŽ")
_FILLER = "lorem ipsum dolor sit amet consectetur adipiscing elit sed do eiusmod tempor ".translate(_ACCENTED)


def pseudo_text(text, mnemonic):
    """The text accented, in brackets and about 40% longer, with its inserts,
    access keys, line breaks and the spaces that join it to others as they were."""
    start, end = _ends(text)
    core = text[len(start):len(text) - len(end)]
    keep = INSERT.pattern + ("|&&|&." if mnemonic else "") + r"|\s"
    body = "".join(part if re.fullmatch(keep, part, re.S) else part.translate(_ACCENTED)
                   for part in re.split("(%s)" % keep, core, flags=re.S))
    room = math.ceil(len(core) * 1.4) - len(body) - 2
    if room > 0:
        body += " " + (_FILLER * (room // len(_FILLER) + 1))[:max(room - 1, 1)].rstrip()
    return start + "[" + body + "]" + end if core else text


class Translation:
    """A language's texts for a source's messages: the catalogue's where it has
    a sound translation, English elsewhere, with what was wrong."""

    def __init__(self, messages, po):
        self.texts = {}
        self.problems = []
        for message in messages:
            entry = po.find(message.text, msgctxt=message.context)
            fault = entry_fault(message, entry)
            if fault:
                self.problems.append("%s: %s" % (message.context, fault))
            self.texts[message.context] = message.text if fault else entry.msgstr
        self.translated = len(messages) - len(self.problems)
        self.problems += clashing_keys(messages, self.texts)
        self.total = len(messages)


def read(messages, po_path, name):
    """A language's translation of the messages from its catalogue; prints
    under `name` how complete it is and what stays English."""
    translation = Translation(messages, polib.pofile(po_path))
    print("%s: %d of %d translated" % (name, translation.translated, translation.total))
    for problem in translation.problems:
        print("  %s: %s" % (name, problem))
    return translation


def entry_fault(message, entry):
    """Why a catalogue entry cannot stand for a message, or None."""
    if entry is None or not entry.msgstr:
        return "not translated"
    if entry.fuzzy:
        return "fuzzy (marked for review)"
    text = entry.msgstr
    if sorted(INSERT.findall(text)) != sorted(INSERT.findall(message.text)):
        return "inserts %s, in English %s" % (INSERT.findall(text), INSERT.findall(message.text))
    if message.mnemonic_group:
        keys, english = access_keys(text), access_keys(message.text)
        if len(keys) != len(english) or not all(key.isalpha() for key in keys):
            return "access keys %s, in English %s (each must mark a letter)" % (keys, english)
    if _ends(text) != _ends(message.text):
        return "spaces or line breaks at the start or end differ from English"
    return None


def _ends(text):
    """The spaces and line breaks a text starts and ends with, which join it to others."""
    return text[:len(text) - len(text.lstrip(_JOINING))], text[len(text.rstrip(_JOINING)):]


def clashing_keys(messages, texts):
    """Access keys that two texts of one window mark."""
    owners = collections.defaultdict(list)
    for message in messages:
        if message.mnemonic_group:
            for key in access_keys(texts[message.context]):
                owners[(message.mnemonic_group, key.casefold())].append(message.context)
    return ["%s: access key %s marked by %s" % (group, key.upper(), ", ".join(contexts))
            for (group, key), contexts in owners.items() if len(contexts) > 1]
