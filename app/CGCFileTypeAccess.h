// Writes the registration of the program's document type under
// HKEY_CLASSES_ROOT: the extension key naming the document class, the
// class key with its icon, and the shell's open command on both. Writes that
// fail (no right to the classes root) are skipped.
#pragma once

#include <afx.h>

class CGCFileTypeAccess : public CObject
{
    DECLARE_DYNAMIC(CGCFileTypeAccess)
public:
    CGCFileTypeAccess();
    ~CGCFileTypeAccess() override;

    void SetExtension(LPCTSTR lpszExtension) { m_strExtension = lpszExtension; }
    void SetShellOpenCommand(LPCTSTR lpszCommand) { m_strShellOpenCommand = lpszCommand; }
    void SetDocumentShellOpenCommand(LPCTSTR lpszCommand) { m_strDocumentShellOpenCommand = lpszCommand; }
    void SetDocumentClassName(LPCTSTR lpszClassName) { m_strDocumentClassName = lpszClassName; }
    void SetDefaultIcon(LPCTSTR lpszIcon) { m_strDefaultIcon = lpszIcon; }

    virtual void ClearAll();
    // The extension key, the class key, then the two further slots.
    // Always TRUE.
    virtual BOOL RegisterAll();
    virtual BOOL RegisterExtensionKey();
    virtual BOOL RegisterClassKey();
    virtual BOOL RegisterDocumentKeys() { return TRUE; }
    virtual BOOL RegisterApplicationKeys() { return TRUE; }

    // One REG_SZ value (with its terminating zero) under root\subKey,
    // creating the key. FALSE with E_INVALIDARG for a missing root, an
    // empty key or null texts.
    static BOOL WriteRegistryString(HKEY hRoot, LPCTSTR lpszSubKey, LPCTSTR lpszValueName, LPCTSTR lpszData);

protected:
    CString m_strExtension;
    CString m_strShellOpenCommand;
    CString m_strDocumentClassName;
    CString m_strClassDescription;
    CString m_strDefaultIcon;
    CString m_strDocumentShellOpenCommand;
    // Kept empty: nothing in the program sets them.
    CString m_strShellNewCommand;
    CString m_strShellNewFileName;
    CString m_strShellPrintCommand;
    CString m_strShellPrintToCommand;
    CString m_strDocumentDefaultIcon;
};
