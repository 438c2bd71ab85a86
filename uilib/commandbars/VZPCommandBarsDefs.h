// Enumerations, private window messages and message records shared by the
// command bars, their controls and the sites that host them.
#pragma once

#include <afxwin.h>

class CVZPCommandBar;
class CVZPControl;

// A bar's "Type".
enum VZPBarType
{
    vzpBarTypeMenuBar = 0,
    vzpBarTypeNormal = 1,
    vzpBarTypePopup = 2
};

// A bar's "Position"; dock bars are indexed 0 to 3 in the same order.
enum VZPBarPosition
{
    vzpBarTop = 0,
    vzpBarBottom = 1,
    vzpBarLeft = 2,
    vzpBarRight = 3,
    vzpBarFloating = 4,
    vzpBarPopup = 5,
    vzpBarListBox = 6,
    vzpBarNone = 7
};

// A control's "Type"; custom and label are only arguments of CVZPControls::Add.
enum VZPControlType
{
    vzpControlError = 0,
    vzpControlButton = 1,
    vzpControlPopup = 2,
    vzpControlButtonPopup = 3,
    vzpControlSplitButtonPopup = 4,
    vzpControlComboBox = 5,
    vzpControlEdit = 6,
    vzpControlCustom = 7,
    vzpControlLabel = 8
};

// Command-bar themes of the paint manager.
enum VZPPaintTheme
{
    vzpThemeOffice2000 = 0,   // classic (and any number not listed)
    vzpThemeOfficeXP = 1,     // flat
    vzpThemeOffice2003 = 2,   // gradient
    vzpThemeNativeWinXP = 3,  // native visual style
    vzpThemeWhidbey = 4,      // scheme gradient
    vzpThemeCustom = 5        // an object installed by the caller
};

// Private messages of the command bars.
#define WM_VZP_TOOLBARVISIBLECHANGED 0x2855
#define WM_VZP_CONTROLSELECTED       0x2856
#define WM_VZP_CUSTOMIZESELCHANGED   0x2857
#define WM_VZP_MENUBARTRACKING       0x2858
#define WM_VZP_CONTROLRBUTTONUP      0x2859
#define WM_VZP_BARKEYDOWN            0x285A
#define WM_VZP_POPUPSHOWING          0x285B
#define WM_VZP_TOOLBARCONTEXTMENU    0x285C
#define WM_VZP_POPUPCLOSED           0x285D
#define WM_VZP_CREATECONTROL         0x285E
#define WM_VZP_CONTROLCREATED        0x285F
#define WM_VZP_GETWINDOWICON         0x2860
#define WM_VZP_CREATECOMMANDBAR      0x2861
#define WM_VZP_CONTROLNOTIFY         0x2862
#define WM_VZP_AUTOCOMPLETESHOWN     0x2872

// Notification code of a control that executes.
#define VZPN_EXECUTE 100

// Command the site answers when it offers the Customize sheet.
#define VZP_ID_CUSTOMIZE 35001

// lParam of WM_VZP_CONTROLNOTIFY: a notification header (window 0, command
// id, code) followed by the control.
struct VZPCONTROLNOTIFY
{
    NMHDR hdr;
    CVZPControl* pControl;
};

// lParam of WM_VZP_CREATECOMMANDBAR: seven 32-bit fields, zeroed before use.
struct VZPCREATEBARSTRUCT
{
    CVZPCommandBar* pCommandBar;   // in: AddCustomBar's toolbar; out: a bar the site supplies
    BOOL bPopup;                   // a popup bar for a menu item is asked for
    BOOL bExpandBar;               // the popup of a toolbar's expand button is asked for
    BOOL bCustomBar;               // AddCustomBar creates a toolbar
    BOOL bTearOffBar;              // AddCustomBar's floating argument
    LPCTSTR lpcstrCaption;         // title text
    UINT nID;                      // bar id, or command id for menu popups
};
