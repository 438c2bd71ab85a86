// One record of the signature catalogue as the File Types dialog keeps it.
#pragma once

#include <afx.h>

struct CatalogueRecord;

// Texts are the catalogue's ANSI text in UTF-16; the signature and the
// further field are their bytes as upper-case hexadecimal (FFD8 for the
// bytes 0xFF 0xD8).
class CFileTypeRecord : public CObject
{
    DECLARE_DYNAMIC(CFileTypeRecord)
public:
    explicit CFileTypeRecord(const CatalogueRecord& record);
    ~CFileTypeRecord() override;

    int m_nIndex;                 // position in the catalogue, from 0
    CString m_strExtension;       // with its dot; may be empty
    CString m_strDescription;
    CString m_strSignature;
    CString m_strCompareLength;
    CString m_strFifthField;
};
