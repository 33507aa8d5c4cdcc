"""Gettext catalogues of the texts a user reads, whatever file they come from.

A source format (the resource script, see rc_texts.py) lists its texts as
Messages; this module makes the template catalogue of them, reads a
language's catalogue back strictly, with English standing in for what it
lacks, makes the pseudo-language and checks a catalogue as the build and the
tests do.

A catalogue is named as Windows names its language (de.po, pt-BR.po,
sr-Latn-RS.po): windows_locales.txt gives the language id of each name
Windows knows. Its header may mark the language as written right to left,
"X-Text-Direction: rtl" ("ltr" when absent), which mirrors its dialogs.

What is wrong with a catalogue is told as a compiler tells it, FILE:LINE:
error or warning. An error stops the build: a file that cannot be read, a
line that is no catalogue line (an unterminated string, an unknown escape), an
entry given twice, a name Windows does not know, an insert dropped or added,
a % the library would show as it stands, and two controls of a window or two
commands of a menu marking one access key. A warning leaves English standing
in for one text: one not yet translated or marked fuzzy, or whose access key
or joining spaces differ from English.
"""
import bisect
import collections
import functools
import glob
import math
import os
import re
import sys

import polib

PSEUDO_LANGUAGE = "qps-ploc"
LOCALES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "windows_locales.txt")
# The header field that says which way the language is written.
DIRECTION = "X-Text-Direction"

# A numbered insert as the library fills it in: %1 to %99.
INSERT = re.compile(r"%[1-9][0-9]?")
# Every % form of a resource string: an insert, perhaps with FormatMessage's
# printf part, %% (a percent sign), %n (a line break) or anything else.
PERCENT = re.compile(r"%(?:([1-9][0-9]?)(![^!]*!)?|[%n]|(.?))", re.S)
# An access key marker: "&&" is an ampersand shown as such.
MNEMONIC = re.compile(r"&(&|.)", re.S)
# The access-key group of the commands of the menu the dialog builds from its strings.
MENU = "menu"
# What joins a text to the one before or after it.
_JOINING = " \t\n"

# A catalogue line that holds a string, after an optional keyword, and the
# escapes such a string may hold.
_STRING_LINE = re.compile(r'(?:(?:msgctxt|msgid|msgid_plural|msgstr(?:\[[0-9]+\])?)\s+)?(".*)')
_STRING = re.compile(r'"(?:[^"\\]|\\.)*"')
_ESCAPE = re.compile(r'\\(.?)')
_ESCAPES = 'ntr"\\'


@functools.lru_cache(maxsize=None)
def windows_locales():
    """The language id of each locale name Windows knows."""
    with open(LOCALES, encoding="ascii") as table:
        rows = [line.split() for line in table if line.strip() and not line.startswith("#")]
    return {name: int(language_id, 16) for name, language_id in rows}


class Message:
    """One text of a source: its context names the resource it belongs to.

    mnemonic_group names the window (dialog) or menu whose access keys it
    shares, or is None for a text whose "&" is shown as it is. formatted says
    that the library reads its % forms: inserts, %% and %n.
    """

    def __init__(self, context, text, notes=(), mnemonic_group=None, formatted=True):
        self.context = context
        self.text = text
        self.notes = list(notes)
        self.mnemonic_group = mnemonic_group
        self.formatted = formatted

    def comment(self):
        notes = [note[:1].upper() + note[1:] for note in self.notes]
        inserts = sorted(set(INSERT.findall(self.text)))
        if len(inserts) == 1:
            notes.append("%s is filled in when the text is shown: keep it." % inserts[0])
        elif inserts:
            notes.append("%s and %s are filled in when the text is shown: keep each once, in the order your "
                         "language needs." % (", ".join(inserts[:-1]), inserts[-1]))
        if self.mnemonic_group and access_keys(self.text):
            notes.append("& marks the access key (Alt+letter): keep one, on a letter that no other %s marks."
                         % ("command of this menu" if self.mnemonic_group == MENU else "text of this window"))
        if any(_ends(self.text)):
            notes.append("Keep the spaces at its start and end: this text is joined to another.")
        return "\n".join(notes)


def access_keys(text):
    """The characters marked as access keys in a control's text."""
    return [key for key in MNEMONIC.findall(text) if key != "&"]


class Problem:
    """What is wrong with a catalogue, at a line of it (0: the file as a
    whole): an error stops the build, a warning leaves English standing in."""

    def __init__(self, path, line, text, error=True):
        self.path, self.line, self.text, self.error = path, line, text, error

    def __str__(self):
        place = "%s:%d" % (self.path, self.line) if self.line else self.path
        return "%s: %s: %s" % (place, "error" if self.error else "warning", self.text)


class Catalogue:
    """A language's catalogue, read strictly, with the language its file's
    name gives and whether it is written right to left; `problems` says what
    keeps it from being read as it stands, and `read` whether its entries
    could be read at all."""

    def __init__(self, path):
        self.path = path
        self.language = os.path.basename(path).split(".")[0]
        self.language_id = windows_locales().get(self.language)
        self.mirrored = False
        self.po = polib.POFile()
        self.entries = {}
        self.problems = []
        self.read = False
        self._msgstr_lines = []
        if self.language_id is None:
            known = {name.casefold(): name for name in windows_locales()}
            alike = known.get(self.language.replace("_", "-").casefold())
            self._error(0, "%s is no locale Windows knows%s" % (
                self.language, "; Windows names it %s" % alike if alike else ""))
        text = self._read()
        if text is not None:
            self._parse(text)

    def _read(self):
        """The file's text, when each of its lines is a catalogue line."""
        try:
            with open(self.path, "rb") as source:
                data = source.read()
            text = data.decode("utf-8")
        except OSError as error:
            return self._error(0, "cannot be read: %s" % error.strerror)
        except UnicodeDecodeError as error:
            return self._error(data.count(b"\n", 0, error.start) + 1, "not UTF-8")
        faults = [(number, _line_fault(line.strip())) for number, line in enumerate(text.splitlines(), 1)]
        for number, fault in faults:
            if fault:
                self._error(number, fault)
        return None if any(fault for _, fault in faults) else text

    def _parse(self, text):
        """Its entries, each given once, and its header's direction."""
        try:
            self.po = polib.pofile(text)
        except (OSError, ValueError) as error:
            # polib says "Syntax error in po file (line N): what", perhaps without the what.
            line, what = (re.search(r"line (\d+)\)?:?\s*(.*)$", str(error)) or re.match("()(.*)", str(error))).groups()
            return self._error(int(line or 0), "syntax error%s" % (": " + what if what else ""))
        self.read = True
        lines = text.splitlines()
        self._msgstr_lines = [number for number, line in enumerate(lines, 1) if line.lstrip().startswith("msgstr")]
        for entry in (entry for entry in self.po if not entry.obsolete):
            first = self.entries.setdefault((entry.msgctxt, entry.msgid), entry)
            if first is not entry:
                self._error(self.line_of(entry), "%s: given twice; first at line %d" %
                            (entry.msgctxt or entry.msgid, self.line_of(first)))
        direction = self.po.metadata.get(DIRECTION, "ltr")
        if direction.lower() not in ("ltr", "rtl"):
            self._error(next(number for number, line in enumerate(lines, 1) if DIRECTION in line),
                        "%s is %r: ltr or rtl" % (DIRECTION, direction))
        self.mirrored = direction.lower() == "rtl"

    def _error(self, line, text):
        self.problems.append(Problem(self.path, line, text))

    def line_of(self, entry):
        """The line of an entry's translation."""
        return self._msgstr_lines[bisect.bisect_left(self._msgstr_lines, entry.linenum)]


def _line_fault(line):
    """What is wrong with a catalogue line as gettext reads it, or None."""
    if not line or line.startswith("#"):
        return None
    string = _STRING_LINE.fullmatch(line)
    if not string:
        return "a keyword and a quoted string expected"
    literal = _STRING.match(string.group(1))
    if not literal:
        return "unterminated string"
    if literal.end() != len(string.group(1)):
        return "text after the string's closing quote"
    unknown = [escape for escape in _ESCAPE.findall(literal.group()[1:-1]) if not escape or escape not in _ESCAPES]
    return "unknown escape \\%s" % unknown[0] if unknown else None


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
    """A language's texts for a source's messages from its catalogue: the
    catalogue's where it has a sound translation, English elsewhere, with what
    is wrong in the catalogue."""

    def __init__(self, messages, catalogue):
        self.catalogue = catalogue
        self.problems = list(catalogue.problems)
        self.texts = {message.context: message.text for message in messages}
        self.total = len(messages)
        self.translated = self.total if catalogue.read else 0
        lines = {}
        for message in messages if catalogue.read else ():
            entry = catalogue.entries.get((message.context, message.text))
            lines[message.context] = catalogue.line_of(entry) if entry else 0
            fault, error = entry_fault(message, entry)
            if fault:
                self.translated -= 1
                self.problems.append(Problem(catalogue.path, lines[message.context],
                                             "%s: %s" % (message.context, fault), error))
            self.texts[message.context] = message.text if fault else entry.msgstr
        self.problems += clashing_keys(messages, self.texts, lines, catalogue.path)

    def errors(self):
        return [problem for problem in self.problems if problem.error]


def read(messages, path, label=""):
    """A language's translation of the messages from its catalogue at `path`;
    prints under its language's name, after `label`, how complete it is and
    what is wrong, and ends the program when the catalogue cannot stand as it is."""
    translation = Translation(messages, Catalogue(path))
    print("%s%s: %d of %d translated" % (label, translation.catalogue.language, translation.translated,
                                         translation.total))
    # Errors last, next to the build's failure.
    for problem in sorted(translation.problems, key=lambda problem: problem.error):
        print(problem, file=sys.stderr)
    if translation.errors():
        sys.exit(1)
    return translation


def entry_fault(message, entry):
    """Why a catalogue entry cannot stand for a message, and whether that
    stops the build; (None, False) when it can."""
    if entry is None or not entry.msgstr:
        return "not translated", False
    if entry.fuzzy:
        return "fuzzy (marked for review)", False
    text = entry.msgstr
    if message.formatted:
        inserts = []
        for match in PERCENT.finditer(text):
            number, printf, other = match.groups()
            if printf:
                return "insert %s: the library fills in %%%s alone and shows %s as it stands" % (
                    match.group(), number, printf), True
            if other == "0":
                return "%0: inserts run from %1 to %99", True
            if other is not None:
                return "stray %% in %r: the library shows it as it stands; write %%%% for a percent sign" % (
                    match.group()), True
            inserts += [match.group()] if number else []
        english = INSERT.findall(message.text)
        if sorted(inserts) != sorted(english):
            return "inserts %s; English has %s" % (", ".join(inserts) or "none", ", ".join(english) or "none"), True
    if message.mnemonic_group:
        keys, english = access_keys(text), access_keys(message.text)
        if len(keys) != len(english) or not all(key.isalpha() for key in keys):
            return "access keys %s, in English %s (each must mark a letter)" % (keys, english), False
    if _ends(text) != _ends(message.text):
        return "spaces or line breaks at the start or end differ from English", False
    return None, False


def _ends(text):
    """The spaces and line breaks a text starts and ends with, which join it to others."""
    return text[:len(text) - len(text.lstrip(_JOINING))], text[len(text.rstrip(_JOINING)):]


def clashing_keys(messages, texts, lines, path):
    """Access keys that two texts of one window or menu mark, each told at the
    line of the later text."""
    owners = collections.defaultdict(list)
    for message in messages:
        if message.mnemonic_group:
            for key in access_keys(texts[message.context]):
                owners[(message.mnemonic_group, key.casefold())].append(message.context)
    return [Problem(path, lines.get(context, 0), "%s: access key %s, which %s marks too" % (
                context, key.upper(), contexts[0]))
            for (group, key), contexts in owners.items() for context in contexts[1:]]
