// Resource ids of the frame tests.
#pragma once

#define IDR_TESTDOC         128
#define IDR_NOMENU          129
// The menu of an MDI document type (the frame's own is IDR_TESTDOC).
#define IDR_MDIDOC          130
#define IDD_PAGE1           200
#define IDD_PAGE2           201
#define IDC_PAGE_EDIT       1001

#define ID_TEST_PROMPT      32800
#define ID_TEST_UPDATE      32801
#define ID_TEST_HANDLED     32802
#define ID_TEST_UNHANDLED   32803
#define ID_ROUTE_VIEW       32810
#define ID_ROUTE_DOC        32811
#define ID_ROUTE_FRAME      32812
#define ID_ROUTE_APP        32813
#define ID_ROUTE_NONE       32814
#define IDS_MISSING_STRING  32899

#define IDR_TEST_TOOLBAR    300
#define IDR_SHORT_TOOLBAR   301
#define IDR_OLD_TOOLBAR     302
#define IDR_EMPTY_TOOLBAR   303
#define IDR_HEADER_TOOLBAR  304
#define ID_TOOL_ONE         32820
#define ID_TOOL_TWO         32821
