#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// The words the list shows beside a face's name, and the sentence the preview
// gives its licence in, from the resource library: each a whole text of its
// own, for every combination of permission and qualifiers.
class CFaceWords {
public:
    // Loads the words from the current resource module.
    CFaceWords();

    // Which switch the check box of a face, embeddable or not, controls:
    // "embedding" or "tessellation".
    const std::wstring& Allows(bool embeddable) const;
    // The face's embedding permission in words: the least restrictive usage
    // permission it sets, with its qualifiers, e.g. "editable, bitmaps only".
    // The reference stays valid as long as this object.
    const std::wstring& Licence(unsigned fsType);
    // The face's licence in a sentence, by the same rule as its words, and
    // what its check allows, e.g. "May be embedded for viewing and printing
    // only."
    std::wstring Sentence(unsigned fsType, bool embeddable) const;
    // A sentence of a face whose check the administrator's policy sets,
    // saying so.
    std::wstring SetByAdministrator(const std::wstring& sentence) const;
    // The sentence of every licence, by the same rule, and each also as the
    // policy's when `withPolicyForms`.
    std::vector<std::wstring> EverySentence(bool withPolicyForms) const;

private:
    std::wstring m_embedding;
    std::wstring m_tessellation;
    std::map<UINT, std::wstring> m_licences; // by string id, loaded when first asked
};
