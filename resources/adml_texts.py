#!/usr/bin/python3
"""The texts of the administrative templates' English ADML, and the ADML in another language.

    adml_texts.py template ADML POT      the template catalogue of ADML's texts
    adml_texts.py adml ADML PO OUT       ADML with PO's texts, as the ADML of PO's language
    adml_texts.py update ADML PO_DIR     write PO_DIR's template, merge it into PO_DIR/*.po

The texts are the templates' display name and description, every string of
the string table and the labels of the policies' options; a message's context
names its place ("displayName", "string:EmbedNever_Help",
"presentation:EmbedNever:EmbedNeverFaces"). A catalogue is named as the
policy definitions folder names its language (de-DE.po), and so is the folder
of the ADML made from it.
"""
import os
import sys
import xml.etree.ElementTree as ElementTree


sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import translations  # noqa: E402

PROJECT = "Glyphor policies"
SOURCE = "policy/en-US/Glyphor.adml"
NAMESPACE = "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions"

_STYLE = ("Word it as Windows words its own Group Policy texts in your language, and name a policy "
          "by its translated name.")
_NOTES = {
    "displayName": "The name of these administrative templates.",
    "description": "What these administrative templates set.",
    "SUPPORTED_": "The releases the policies apply to, worded as Windows words \"At least Windows 10\".",
    "_Help": "The explanation the Group Policy editor shows beside the policy. Keep the blank lines "
             "between paragraphs. " + _STYLE,
    "string": "A policy's or category's name, as the Group Policy editor lists it. " + _STYLE,
    "presentation": "The label of a policy's option in the Group Policy editor.",
}


def _tag(name):
    return "{%s}%s" % (NAMESPACE, name)


class Adml:
    """An ADML's texts, each with the element that holds it."""

    def __init__(self, path):
        ElementTree.register_namespace("", NAMESPACE)
        self.tree = ElementTree.parse(path)
        self.messages = []
        self.elements = {}
        root = self.tree.getroot()
        for name in ("displayName", "description"):
            self._add(name, root.find(_tag(name)), _NOTES[name])
        for string in root.iter(_tag("string")):
            key = string.get("id")
            note = next((_NOTES[part] for part in ("SUPPORTED_", "_Help")
                         if key.startswith(part) or key.endswith(part)), _NOTES["string"])
            self._add("string:" + key, string, note)
        for presentation in root.iter(_tag("presentation")):
            for index, option in enumerate(presentation):
                label = option.find(_tag("label"))
                self._add("presentation:%s:%s" % (presentation.get("id"), option.get("refId", index)),
                          option if label is None else label, _NOTES["presentation"])

    def _add(self, context, element, note):
        if element is not None and element.text and element.text.strip():
            self.messages.append(translations.Message(context, element.text, [note], formatted=False))
            self.elements[context] = element

    def write(self, texts, path, origin):
        """Writes the ADML with the given texts in place of its own."""
        for context, text in texts.items():
            self.elements[context].text = text
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as target:
            target.write('<?xml version="1.0" encoding="utf-8"?>\n'
                         "<!-- Made by the build from %s and %s: edit those, not this. -->\n%s\n" %
                         (SOURCE, origin, ElementTree.tostring(self.tree.getroot(), encoding="unicode")))


def main(command, adml_path, *args):
    adml = Adml(adml_path)

    def write_adml(po_path, out):
        translation = translations.read(adml.messages, po_path, "policy ")
        adml.write(translation.texts, out, "resources/po/policy/" + os.path.basename(po_path))

    translations.run(__doc__, command, args, adml.messages, SOURCE, PROJECT, "Glyphor.pot", {"adml": (2, write_adml)})


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
