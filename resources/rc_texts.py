#!/usr/bin/python3
"""The texts of a resource script, and the script in another language.

    rc_texts.py template RC POT      the template catalogue of RC's texts
    rc_texts.py pseudo RC PO         the pseudo-language's catalogue
    rc_texts.py script RC PO OUT     RC with PO's texts, as the script of PO's language
    rc_texts.py update RC PO_DIR     write PO_DIR's template, merge it into PO_DIR/*.po

The texts are the dialogs' captions and control texts and the string tables'
strings; a message's context names its resource ("IDS_RESET_PROMPT",
"IDD_FONT_SELECT:IDC_FIND_LABEL", "IDD_FONT_SELECT:CAPTION"). A comment
"// Translators: ..." goes to the translators with the texts after it, up
to a blank line or another comment. The controls of a dialog share its access
keys; a string that marks a letter as one ("Sort by &Font") is a command of
the menu the dialog builds from its strings, whose access keys all such
strings share.

The script of a language written right to left has every dialog mirrored
(EXSTYLE WS_EX_LAYOUTRTL), as Windows' own resources in such languages are.

A translated script writes every text as L"..." with each character beyond
ASCII as a \\xNNNN escape (UTF-16), so that the compiler reads it the same
whatever the build machine's locale and code page.
"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import translations  # noqa: E402

PROJECT = "Glyphor"
SOURCE = "resources/GlyphorRes.rc"

_TOKEN = re.compile(r"""
    (?P<comment>//[^\n]*|/\*.*?\*/)
  | (?P<directive>^[ \t]*\#[^\n]*)
  | (?P<string>L?"(?:[^"\\\n]|\\.|"")*")
  | (?P<word>[A-Za-z_][A-Za-z0-9_]*|[0-9][0-9A-Za-z]*)
  | (?P<space>\s+)
  | (?P<other>.)
""", re.X | re.M | re.S)

# Dialog statements whose first operand is the control's text.
_TEXT_CONTROLS = {"LTEXT", "RTEXT", "CTEXT", "PUSHBUTTON", "DEFPUSHBUTTON", "PUSHBOX", "CHECKBOX",
                  "AUTOCHECKBOX", "STATE3", "AUTO3STATE", "RADIOBUTTON", "AUTORADIOBUTTON", "GROUPBOX",
                  "CONTROL"}
_ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "a": "\a", "\\": "\\", '"': '"'}


class Script:
    """A resource script's texts, each with where its literal stands."""

    def __init__(self, path):
        self.path = path
        with open(path, encoding="ascii") as source:
            self.text = source.read()
        self.messages = []
        self.spans = {}
        self.language = None
        # Where each dialog's extended style goes: after its EXSTYLE keyword,
        # or as a statement of its own before its BEGIN.
        self.extended_styles = []
        # Spaces matter only where they hold a blank line, which ends a note.
        tokens = [("blank" if m.lastgroup == "space" else m.lastgroup, m.group(), m.span())
                  for m in _TOKEN.finditer(self.text)
                  if m.lastgroup != "directive" and (m.lastgroup != "space" or m.group().count("\n") > 1)]
        notes, dialog, block, exstyle, i = [], None, None, None, 0
        while i < len(tokens):
            kind, value, span = tokens[i]
            after = tokens[i + 1] if i + 1 < len(tokens) else ("", "", span)
            if kind in ("comment", "blank"):
                # A note to translators runs on over the comment lines after it
                # and holds for the texts after it, up to a blank line or
                # another comment.
                note = re.sub(r"^(//|/\*)\s*|\s*\*/$", "", value)
                if kind == "comment" and note.startswith("Translators:"):
                    notes = [note[len("Translators:"):].strip()]
                elif kind == "comment" and notes and tokens[i - 1][0] == "comment":
                    notes[-1] += " " + note
                else:
                    notes = []
                i += 1
                continue
            if value == "LANGUAGE":
                self.language = (span[0], tokens[i + 3][2][1])
                i += 4
            elif after[1] in ("DIALOG", "DIALOGEX"):
                dialog, block, exstyle = value, None, None
            elif value == "STRINGTABLE":
                dialog, block = None, "STRINGTABLE"
            elif value == "EXSTYLE" and dialog and not block:
                exstyle = span[1]
            elif value == "BEGIN" and dialog:
                block = dialog
                self.extended_styles.append((exstyle, " WS_EX_LAYOUTRTL |") if exstyle else
                                            (span[0], "EXSTYLE WS_EX_LAYOUTRTL\n"))
            elif value == "END":
                dialog = block = None
            elif value == "CAPTION" and dialog and after[0] == "string":
                self._add("%s:CAPTION" % dialog, after, notes, None)
            elif block == "STRINGTABLE" and kind == "word" and after[0] == "string":
                is_command = any(key.isalpha() for key in translations.access_keys(decode(after[1])))
                self._add(value, after, notes, translations.MENU if is_command else None)
            elif block and block != "STRINGTABLE" and value in _TEXT_CONTROLS and after[0] == "string":
                self._add("%s:%s" % (block, tokens[i + 3][1]), after, notes, block)
            i += 1

    def _add(self, context, token, notes, mnemonic_group):
        text = decode(token[1])
        if text:
            self.messages.append(translations.Message(context, text, notes, mnemonic_group))
            self.spans[context] = token[2]

    def translated(self, texts, language_id, mirrored, origin):
        """The script with the given texts and language, its version block's
        translation naming that language, its dialogs mirrored if so."""
        replacements = [(self.spans[context], encode(text)) for context, text in texts.items()]
        replacements.append((self.language, "LANGUAGE 0x%02X, 0x%02X\n#define VER_LANGUAGE 0x%04X\n"
                             "#define VER_LANGUAGE_BLOCK \"%04X04B0\"" %
                             (language_id & 0x3FF, language_id >> 10, language_id, language_id)))
        if mirrored:
            replacements += [((place, place), statement) for place, statement in self.extended_styles]
        text = self.text
        for (start, end), replacement in sorted(replacements, reverse=True):
            text = text[:start] + replacement + text[end:]
        return "// Made by the build from %s and %s: edit those, not this.\n%s" % (SOURCE, origin, text)


def decode(literal):
    """The text of a resource script's string literal."""
    wide = literal.startswith("L")
    body, text, i = literal[2 if wide else 1:-1], [], 0
    while i < len(body):
        char = body[i]
        if char == '"':
            i += 1  # "" stands for one quote
        elif char == "\\" and body[i + 1] == "x":
            digits = re.match(r"[0-9a-fA-F]{1,%d}" % (4 if wide else 2), body[i + 2:]).group()
            char, i = chr(int(digits, 16)), i + 1 + len(digits)
        elif char == "\\":
            char, i = _ESCAPES[body[i + 1]], i + 1
        text.append(char)
        i += 1
    return "".join(text).encode("utf-16-le", "surrogatepass").decode("utf-16-le")


def encode(text):
    """A wide string literal of the text, in ASCII."""
    out = []
    for char in text:
        if char == '"':
            out.append('""')
        elif char in "\\\n\t\r":
            out.append({"\\": "\\\\", "\n": "\\n", "\t": "\\t", "\r": "\\r"}[char])
        elif " " <= char <= "~":
            out.append(char)
        else:
            units = char.encode("utf-16-le")
            out += ["\\x%02x%02x" % (units[j + 1], units[j]) for j in range(0, len(units), 2)]
    return 'L"%s"' % "".join(out)


def main(command, rc, *args):
    script = Script(rc)

    def write_script(po_path, out):
        translation = translations.read(script.messages, po_path)
        catalogue = translation.catalogue
        with open(out, "w", encoding="ascii") as target:
            target.write(script.translated(translation.texts, catalogue.language_id, catalogue.mirrored,
                                           os.path.basename(po_path)))

    translations.run(__doc__, command, args, script.messages, SOURCE, PROJECT, "GlyphorRes.pot", {
        "pseudo": (1, lambda po: translations.pseudo_catalogue(script.messages, SOURCE, PROJECT).save(po)),
        "script": (2, write_script),
    })


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
