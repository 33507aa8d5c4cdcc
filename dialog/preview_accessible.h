#pragma once

#include <windows.h>

#include <functional>
#include <string>

class CBandObject;

// What the preview band tells assistive technology. The dialog draws the
// band, so by itself a screen reader finds nothing in it: its WM_GETOBJECT
// is answered with an object whose name, value and description are read
// from the dialog when a client asks, and which is the system's standard
// object of the band in everything else. A client may keep the object after
// the band has gone; it then answers every call with CO_E_OBJNOTCONNECTED.
class CAccessibleBand {
public:
    struct Texts {
        std::wstring name;
        std::wstring value;
        std::wstring description;
    };
    using TextSource = std::function<Texts()>;

    CAccessibleBand() = default;
    CAccessibleBand(const CAccessibleBand&) = delete;
    CAccessibleBand& operator=(const CAccessibleBand&) = delete;
    ~CAccessibleBand();

    // Answers the band's requests from now until it is destroyed; nothing
    // for no band.
    void Attach(HWND band, TextSource texts);

    // Tells clients that the band shows another face, or another sample.
    void FaceChanged() const;
    void ValueChanged() const;

private:
    static LRESULT CALLBACK BandProc(HWND band, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    // The object for a client, made when first asked for; null when the
    // standard object cannot be had.
    CBandObject* Object();
    void Detach();

    HWND m_band = nullptr;
    TextSource m_texts;
    CBandObject* m_object = nullptr; // one reference, until the band goes
};
