#include "face_words.h"

#include "control_ids.h"
#include "message_text.h"
#include "framework/afx.h"

#include <algorithm>
#include <iterator>

namespace {

// The usage permissions of the OS/2 fsType, least restrictive first: where a
// face sets more than one, the least restrictive applies, so the first one
// set is the face's. A face with none of them is installable. Each has its
// word in the list and its sentence under the preview.
struct UsagePermission {
    unsigned bit;
    UINT wordId;
    UINT sentenceId;
};
constexpr unsigned kRestricted = 0x0002;
const UsagePermission kUsages[] = {
    {0x0008, IDS_LICENCE_EDITABLE, IDS_SENTENCE_EDITABLE},
    {0x0004, IDS_LICENCE_PREVIEW_PRINT, IDS_SENTENCE_PREVIEW_PRINT},
    {kRestricted, IDS_LICENCE_RESTRICTED, IDS_SENTENCE_RESTRICTED},
    {0x0000, IDS_LICENCE_INSTALLABLE, IDS_SENTENCE_INSTALLABLE},
};

// The bits that qualify the usage, with their words and their phrases.
struct Qualifier {
    unsigned bit;
    UINT wordId;
    UINT phraseId;
};
const Qualifier kQualifiers[] = {
    {0x0100, IDS_LICENCE_NO_SUBSETTING, IDS_SENTENCE_NO_SUBSETTING},
    {0x0200, IDS_LICENCE_BITMAPS_ONLY, IDS_SENTENCE_BITMAPS_ONLY},
};
const char kWordSeparator[] = ", ";

const UsagePermission& UsageOf(unsigned fsType)
{
    return *std::find_if(std::begin(kUsages), std::end(kUsages),
                         [fsType](const UsagePermission& usage) { return (fsType & usage.bit) == usage.bit; });
}

} // namespace

CFaceWords::CFaceWords()
    : m_embedding(AfxLoadString(IDS_ALLOWS_EMBEDDING)), m_tessellation(AfxLoadString(IDS_ALLOWS_TESSELLATION))
{
}

const std::string& CFaceWords::Allows(bool embeddable) const
{
    return embeddable ? m_embedding : m_tessellation;
}

const std::string& CFaceWords::Licence(unsigned fsType)
{
    auto known = m_licences.find(fsType);
    if (known != m_licences.end())
        return known->second;
    std::string words = AfxLoadString(UsageOf(fsType).wordId);
    for (const Qualifier& qualifier : kQualifiers) {
        if (fsType & qualifier.bit)
            words += kWordSeparator + AfxLoadString(qualifier.wordId);
    }
    return m_licences.emplace(fsType, std::move(words)).first->second;
}

std::string CFaceWords::Sentence(unsigned fsType, bool embeddable) const
{
    const UsagePermission& usage = UsageOf(fsType);
    // A restricted licence that the library embeds all the same, as it
    // holds back only a face whose permission says nothing more.
    const UINT sentence = usage.bit == kRestricted && embeddable ? IDS_SENTENCE_RESTRICTED_EMBEDDED : usage.sentenceId;
    std::string qualifiers;
    for (const Qualifier& qualifier : kQualifiers) {
        if (!(fsType & qualifier.bit))
            continue;
        if (!qualifiers.empty())
            qualifiers += AfxLoadString(IDS_SENTENCE_AND);
        qualifiers += AfxLoadString(qualifier.phraseId);
    }
    return WithInserts(AfxLoadString(sentence), {qualifiers});
}

std::vector<std::string> CFaceWords::EverySentence() const
{
    std::vector<std::string> sentences;
    for (const UsagePermission& usage : kUsages) {
        // Each set of qualifiers, in both cases of a restricted licence.
        for (unsigned set = 0; set < 1u << std::size(kQualifiers); ++set) {
            unsigned fsType = usage.bit;
            for (size_t i = 0; i < std::size(kQualifiers); ++i) {
                if (set & (1u << i))
                    fsType |= kQualifiers[i].bit;
            }
            for (bool embeddable : {false, true})
                sentences.push_back(Sentence(fsType, embeddable));
        }
    }
    return sentences;
}
