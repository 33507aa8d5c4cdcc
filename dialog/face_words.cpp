#include "face_words.h"

#include "control_ids.h"
#include "message_text.h"
#include "framework/afx.h"

#include <algorithm>
#include <iterator>

namespace {

// The bits of the OS/2 fsType that qualify the usage permission. Their
// combination indexes the tables below: none, no subsetting, bitmaps only,
// both.
constexpr unsigned kNoSubsetting = 0x0100;
constexpr unsigned kBitmapsOnly = 0x0200;
constexpr int kQualifierCombinations = 4;

int QualifiersOf(unsigned fsType)
{
    return ((fsType & kNoSubsetting) ? 1 : 0) | ((fsType & kBitmapsOnly) ? 2 : 0);
}

// The usage permissions of the fsType, least restrictive first: where a face
// sets more than one, the least restrictive applies, so the first one set is
// the face's. A face with none of them is installable. Each has its words in
// the list and its sentence under the preview, by qualifiers.
struct UsagePermission {
    unsigned bit;
    UINT words[kQualifierCombinations];
    UINT sentences[kQualifierCombinations];
};
constexpr unsigned kRestricted = 0x0002;
const UsagePermission kUsages[] = {
    {0x0008,
     {IDS_LICENCE_EDITABLE, IDS_LICENCE_EDITABLE_NO_SUBSETTING, IDS_LICENCE_EDITABLE_BITMAPS_ONLY,
      IDS_LICENCE_EDITABLE_NO_SUBSETTING_BITMAPS_ONLY},
     {IDS_SENTENCE_EDITABLE, IDS_SENTENCE_EDITABLE_NO_SUBSETTING, IDS_SENTENCE_EDITABLE_BITMAPS_ONLY,
      IDS_SENTENCE_EDITABLE_NO_SUBSETTING_BITMAPS_ONLY}},
    {0x0004,
     {IDS_LICENCE_PREVIEW_PRINT, IDS_LICENCE_PREVIEW_PRINT_NO_SUBSETTING, IDS_LICENCE_PREVIEW_PRINT_BITMAPS_ONLY,
      IDS_LICENCE_PREVIEW_PRINT_NO_SUBSETTING_BITMAPS_ONLY},
     {IDS_SENTENCE_PREVIEW_PRINT, IDS_SENTENCE_PREVIEW_PRINT_NO_SUBSETTING, IDS_SENTENCE_PREVIEW_PRINT_BITMAPS_ONLY,
      IDS_SENTENCE_PREVIEW_PRINT_NO_SUBSETTING_BITMAPS_ONLY}},
    // A restricted licence that the library embeds all the same, as it holds
    // back only a face whose permission says nothing more.
    {kRestricted,
     {IDS_LICENCE_RESTRICTED, IDS_LICENCE_RESTRICTED_NO_SUBSETTING, IDS_LICENCE_RESTRICTED_BITMAPS_ONLY,
      IDS_LICENCE_RESTRICTED_NO_SUBSETTING_BITMAPS_ONLY},
     {IDS_SENTENCE_RESTRICTED_EMBEDDED, IDS_SENTENCE_RESTRICTED_EMBEDDED_NO_SUBSETTING,
      IDS_SENTENCE_RESTRICTED_EMBEDDED_BITMAPS_ONLY, IDS_SENTENCE_RESTRICTED_EMBEDDED_NO_SUBSETTING_BITMAPS_ONLY}},
    {0x0000,
     {IDS_LICENCE_INSTALLABLE, IDS_LICENCE_INSTALLABLE_NO_SUBSETTING, IDS_LICENCE_INSTALLABLE_BITMAPS_ONLY,
      IDS_LICENCE_INSTALLABLE_NO_SUBSETTING_BITMAPS_ONLY},
     {IDS_SENTENCE_INSTALLABLE, IDS_SENTENCE_INSTALLABLE_NO_SUBSETTING, IDS_SENTENCE_INSTALLABLE_BITMAPS_ONLY,
      IDS_SENTENCE_INSTALLABLE_NO_SUBSETTING_BITMAPS_ONLY}},
};

// The sentence of a face whose check a list of the policy sets, with the
// licence's sentence as its insert, by [tessellation][on].
const UINT kPolicySentences[2][2] = {
    {IDS_PREVIEW_NEVER_EMBEDDED, IDS_PREVIEW_ALWAYS_EMBEDDED},
    {IDS_PREVIEW_NEVER_TESSELLATED, IDS_PREVIEW_ALWAYS_TESSELLATED},
};

const UsagePermission& UsageOf(unsigned fsType)
{
    return *std::find_if(std::begin(kUsages), std::end(kUsages),
                         [fsType](const UsagePermission& usage) { return (fsType & usage.bit) == usage.bit; });
}

// An English resource library older than the whole texts has, for a licence
// with qualifiers, the usage's text and each qualifier's: they are put
// together as that release put them.
struct OlderQualifier {
    unsigned bit;
    UINT word;
    UINT phrase;
};
const OlderQualifier kOlderQualifiers[] = {
    {kNoSubsetting, IDS_OLDER_LICENCE_NO_SUBSETTING, IDS_OLDER_SENTENCE_NO_SUBSETTING},
    {kBitmapsOnly, IDS_OLDER_LICENCE_BITMAPS_ONLY, IDS_OLDER_SENTENCE_BITMAPS_ONLY},
};

std::wstring OlderWords(const UsagePermission& usage, unsigned fsType)
{
    std::wstring words = AfxLoadString(usage.words[0]);
    for (const OlderQualifier& qualifier : kOlderQualifiers) {
        if (fsType & qualifier.bit)
            words += L", " + AfxLoadString(qualifier.word);
    }
    return words;
}

std::wstring OlderSentence(UINT sentence, unsigned fsType)
{
    std::wstring qualifiers;
    for (const OlderQualifier& qualifier : kOlderQualifiers) {
        if (!(fsType & qualifier.bit))
            continue;
        if (!qualifiers.empty())
            qualifiers += AfxLoadString(IDS_OLDER_SENTENCE_AND);
        qualifiers += AfxLoadString(qualifier.phrase);
    }
    return FormattedMessage(AfxLoadString(sentence), {qualifiers});
}

} // namespace

CFaceWords::CFaceWords()
    : m_embedding(AfxLoadString(IDS_ALLOWS_EMBEDDING)), m_tessellation(AfxLoadString(IDS_ALLOWS_TESSELLATION))
{
}

const std::wstring& CFaceWords::Allows(bool embeddable) const
{
    return embeddable ? m_embedding : m_tessellation;
}

const std::wstring& CFaceWords::Licence(unsigned fsType)
{
    const UsagePermission& usage = UsageOf(fsType);
    const int qualifiers = QualifiersOf(fsType);
    const UINT id = usage.words[qualifiers];
    auto known = m_licences.find(id);
    if (known == m_licences.end()) {
        std::wstring words = AfxLoadString(id);
        known = m_licences.emplace(id, words.empty() && qualifiers ? OlderWords(usage, fsType) : words).first;
    }
    return known->second;
}

// A restricted face that is not embedded is tessellated whatever its
// qualifiers, which its sentence leaves out. Formatted as every message is:
// an older library's sentence names an insert for its qualifiers.
std::wstring CFaceWords::Sentence(unsigned fsType, bool embeddable) const
{
    const UsagePermission& usage = UsageOf(fsType);
    if (usage.bit == kRestricted && !embeddable)
        return FormattedMessage(AfxLoadString(IDS_SENTENCE_RESTRICTED));
    std::wstring sentence = AfxLoadString(usage.sentences[QualifiersOf(fsType)]);
    return sentence.empty() ? OlderSentence(usage.sentences[0], fsType) : FormattedMessage(sentence);
}

std::wstring CFaceWords::SetByAdministrator(const std::wstring& sentence, bool tessellation, PolicySwitch set) const
{
    // An older library, without the switch's sentences, says only who set it.
    std::wstring pattern;
    if (set != PolicySwitch::NotSet)
        pattern = AfxLoadString(kPolicySentences[tessellation][set == PolicySwitch::On]);
    if (pattern.empty())
        pattern = AfxLoadString(IDS_PREVIEW_SET_BY_ADMINISTRATOR);
    return FormattedMessage(pattern, {sentence});
}

std::wstring CFaceWords::LockedCheckSentence() const
{
    return AfxLoadString(IDS_PREVIEW_LOCKED_CHECK);
}

std::vector<std::wstring> CFaceWords::EverySentence(bool withPolicyForms) const
{
    std::vector<std::wstring> sentences;
    for (const UsagePermission& usage : kUsages) {
        // Each combination of qualifiers, in both cases of a restricted licence.
        for (unsigned qualifiers : {0u, kNoSubsetting, kBitmapsOnly, kNoSubsetting | kBitmapsOnly}) {
            for (bool embeddable : {false, true}) {
                const std::wstring sentence = Sentence(usage.bit | qualifiers, embeddable);
                sentences.push_back(sentence);
                if (!withPolicyForms)
                    continue;
                for (PolicySwitch set : {PolicySwitch::NotSet, PolicySwitch::On, PolicySwitch::Off})
                    sentences.push_back(SetByAdministrator(sentence, !embeddable, set));
            }
        }
    }
    if (withPolicyForms)
        sentences.push_back(LockedCheckSentence());
    return sentences;
}
