// The window and edit-control message numbers that TEditor::Perform serves.
#pragma once

#include <QtGlobal>

namespace brenvik {

enum TEditorMessage : unsigned {
    WM_SETTEXT = 0x0C,
    WM_GETTEXT = 0x0D,
    WM_GETTEXTLENGTH = 0x0E,
    WM_GETDLGCODE = 0x87,
    EM_GETSEL = 0xB0,
    EM_SETSEL = 0xB1,
    EM_SCROLLCARET = 0xB7,
    EM_GETMODIFY = 0xB8,
    EM_SETMODIFY = 0xB9,
    EM_GETLINECOUNT = 0xBA,
    EM_LINEINDEX = 0xBB,
    EM_LINELENGTH = 0xC1,
    EM_REPLACESEL = 0xC2,
    EM_GETLINE = 0xC4,
    EM_CANUNDO = 0xC6,
    EM_UNDO = 0xC7,
    EM_LINEFROMCHAR = 0xC9,
    EM_EMPTYUNDOBUFFER = 0xCD,
    EM_GETFIRSTVISIBLELINE = 0xCE,
    EM_SETREADONLY = 0xCF,
    EM_POSFROMCHAR = 0xD6,
    EM_CHARFROMPOS = 0xD7,
    WM_HSCROLL = 0x114,
    WM_VSCROLL = 0x115,
    WM_CUT = 0x300,
    WM_COPY = 0x301,
    WM_PASTE = 0x302,
    WM_CLEAR = 0x303,
};

// Scroll-bar requests of WM_HSCROLL / WM_VSCROLL (low word of wParam).
enum TScrollRequest : int {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_BOTTOM = 7,
};

// WM_GETDLGCODE answer bits.
enum TDialogCode : int {
    DLGC_WANTARROWS = 0x01,
    DLGC_WANTTAB = 0x02,
    DLGC_WANTALLKEYS = 0x04,
    DLGC_WANTCHARS = 0x80,
};

// The 32-bit answer of several messages packs two 16-bit halves.
constexpr qintptr MakeLong(int low, int high)
{
    return qintptr(quint32(low & 0xFFFF) | (quint32(high & 0xFFFF) << 16));
}

} // namespace brenvik
