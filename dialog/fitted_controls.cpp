// The dialog fitted to its texts in the resource library's language, in the
// dialog's font and DPI, before the resize rules take the controls' places.
#include "font_select_dialog.h"

#include "control_ids.h"
#include "text_room.h"

void CFontSelectDialog::FitControlsToTexts()
{
    using Width = CFittedLayout::Width;
    CFittedLayout::Plan plan;
    plan.row = {{IDC_FIND_LABEL, Width::OfText},
                {IDC_FIND_BOX, Width::Rest},
                {IDC_SAMPLE_LABEL, Width::OfText},
                {IDC_SAMPLE_BOX, Width::Rest}};
    plan.leftButtons = {IDC_DEFAULTS_BTN, IDC_CHECK_ALL_BTN, IDC_CLEAR_ALL_BTN};
    plan.rightButtons = {IDOK, IDCANCEL, IDC_HELP_BTN};
    plan.stretched = {IDC_FONT_LIST_CAPTION, IDC_FONT_LIST_LABEL, IDC_FONT_LIST, IDC_FONT_PREVIEW, IDC_FONT_COUNT};
    plan.growers = {
        {IDC_FONT_LIST_CAPTION, [](HWND caption, SIZE size) { return WrappedTextHeight(caption, size.cx); }},
        // The band keeps its face lines and gains the lines its longest
        // sentence needs, the policy's forms too where it sets a face.
        {IDC_FONT_PREVIEW,
         [this](HWND, SIZE size) {
             const bool policySetsFaces = m_faces.Policy().SetsAnySwitch();
             return size.cy + m_preview.ReserveSentenceLines(size.cx, m_words.EverySentence(policySetsFaces));
         }},
    };
    plan.flexible = IDC_FONT_LIST;
    m_layout.Apply(m_hWnd, plan);
}
