#define AFX_BUILD
#include "afx.h"

CWaitCursor::CWaitCursor() : m_previous(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}

CWaitCursor::~CWaitCursor()
{
    ::SetCursor(m_previous);
}
