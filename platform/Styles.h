#pragma once
// Window, dialog and control styles that dialog templates carry. The platform reads them when
// it builds a dialog from its template; the general window styles (WS_CHILD, WS_VISIBLE,
// WS_DISABLED, WS_TABSTOP, ...) are in platform/Wnd.h.

#include "platform/Wnd.h"

// Top-level windows.
enum : DWORD
{
    WS_POPUP = 0x80000000,
    WS_CAPTION = 0x00C00000,
    WS_BORDER = 0x00800000,
    WS_SYSMENU = 0x00080000,
    WS_THICKFRAME = 0x00040000, // resizable frame
    WS_GROUP = 0x00020000,
    WS_MINIMIZEBOX = 0x00020000,
    WS_MAXIMIZEBOX = 0x00010000,
};

// Dialog templates.
enum : DWORD
{
    DS_SETFONT = 0x0040,
    DS_MODALFRAME = 0x0080, // fixed-size frame
};

enum : DWORD
{
    WS_EX_APPWINDOW = 0x00040000, // a window of its own on the task bar
};

// Buttons.
enum : DWORD
{
    BS_PUSHBUTTON = 0x0000,
    BS_DEFPUSHBUTTON = 0x0001,
    BS_AUTOCHECKBOX = 0x0003,
    BS_MULTILINE = 0x2000,
};

// Edits.
enum : DWORD
{
    ES_AUTOHSCROLL = 0x0080,
    ES_READONLY = 0x0800,
};

// Statics.
enum : DWORD
{
    SS_LEFT = 0x0000,
    SS_ICON = 0x0003,
    SS_GRAYFRAME = 0x0008,
    SS_NOPREFIX = 0x0080,
    SS_NOTIFY = 0x0100,
};

// Up-down buttons.
enum : DWORD
{
    UDS_ALIGNRIGHT = 0x0004,
    UDS_AUTOBUDDY = 0x0010, // the buddy is the control before it in the template
    UDS_ARROWKEYS = 0x0020, // Up and Down in the buddy step like the arrows
};
