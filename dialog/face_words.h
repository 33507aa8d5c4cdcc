#pragma once

#include "store/policy.h"

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
    // The sentence of a face whose check the administrator's policy sets,
    // saying so: first the switch as the policy sets it, e.g. "Never
    // embedded: set by your administrator.", where a list of the policy names
    // the face (`set`), then the licence sentence.
    std::wstring SetByAdministrator(const std::wstring& sentence, bool tessellation, PolicySwitch set) const;
    // Why the check of such a face did not change when the user tried.
    std::wstring LockedCheckSentence() const;
    // The sentence of every licence, by the same rule, and each also in the
    // policy's forms, with the locked check's, when `withPolicyForms`.
    std::vector<std::wstring> EverySentence(bool withPolicyForms) const;

private:
    std::wstring m_embedding;
    std::wstring m_tessellation;
    std::map<UINT, std::wstring> m_licences; // by string id, loaded when first asked
};
