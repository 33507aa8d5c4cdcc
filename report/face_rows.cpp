#include "face_rows.h"

#include "csv_table.h"
#include "dialog/face_words.h"
#include "fonts/truetype_enum.h"
#include "store/face_switch.h"

namespace {

// Discovery's client: the faces found, in the collection's order.
class FoundFaces final : public CFontEnumClient {
public:
    CFontEntryArray& GetFonts() override { return m_fonts; }
    void SetEnumDC(HDC dc) override { m_dc = dc; }
    HDC GetEnumDC() const override { return m_dc; }

private:
    CFontEntryArray m_fonts;
    HDC m_dc = nullptr;
};

// The words a spreadsheet's reader filters by: fixed, in English, as the
// columns' headings are.
const wchar_t* const kSources[] = {L"machine policy", L"user policy", L"user's switch", L"not set"};

std::wstring LanguageName(LANGID language)
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    return ::LCIDToLocaleName(MAKELCID(language, SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) > 0 ? name : L"";
}

// Each of the face's other names, with its language: "name (ja-JP); ...".
std::wstring OtherNames(const FaceNames& names)
{
    std::wstring others;
    for (const TableName& other : names.Others()) {
        const std::wstring language = LanguageName(other.language);
        others += (others.empty() ? L"" : L"; ") + other.name + (language.empty() ? L"" : L" (" + language + L")");
    }
    return others;
}

} // namespace

std::wstring FaceRecords()
{
    FoundFaces found;
    EnumerateTrueTypeFaces(found, ProfileKeyPaths());
    const std::shared_ptr<const PolicySnapshot> policy = CurrentPolicy();
    const CSwitchReader lists(ProfileKeyPaths());
    CFaceWords words;
    std::wstring records = CsvRecord({L"Face", L"Other names", L"Licence", L"Embedding", L"Embedding set by",
                                      L"Tessellation", L"Tessellation set by"});
    const CFontEntryArray& fonts = found.GetFonts();
    for (int index : fonts.OrderByName()) {
        const CFontEntry& face = *fonts.GetAt(index);
        std::vector<std::wstring> fields{face.GetFacename(), OtherNames(face.Names()), words.Licence(face.m_fsType)};
        for (const bool tessellation : {false, true}) {
            const FaceSwitch state = SwitchOf(*policy, lists, face.GetFacename(),
                                              [&face] { return &face.Names(); }, tessellation);
            fields.push_back(state.on ? L"on" : L"off");
            fields.push_back(kSources[static_cast<int>(state.source)]);
        }
        records += CsvRecord(fields);
    }
    return records;
}
