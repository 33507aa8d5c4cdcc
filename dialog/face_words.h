#pragma once

#include <map>
#include <string>
#include <vector>

// The words the list shows beside a face's name, and the sentence the preview
// gives its licence in, from the resource library.
class CFaceWords {
public:
    // Loads the words from the current resource module.
    CFaceWords();

    // Which switch the check box of a face, embeddable or not, controls:
    // "embedding" or "tessellation".
    const std::string& Allows(bool embeddable) const;
    // The face's embedding permission in words: the least restrictive usage
    // permission it sets, then its qualifiers, e.g. "editable, bitmaps only".
    // The reference stays valid as long as this object.
    const std::string& Licence(unsigned fsType);
    // The face's licence in a sentence, by the same rule as its words, and
    // what its check allows, e.g. "May be embedded for viewing and printing
    // only."
    std::string Sentence(unsigned fsType, bool embeddable) const;
    // The sentence of every licence, by the same rule.
    std::vector<std::string> EverySentence() const;

private:
    std::string m_embedding;
    std::string m_tessellation;
    std::map<unsigned, std::string> m_licences; // by fsType, made when first asked
};
