// afxdao.h - the database classes over the desktop database engine, called
// through its automation interfaces. Without the engine every operation
// fails with CDaoException; AfxDaoInit itself never throws.
#pragma once
#ifndef __AFXDAO_H__
#define __AFXDAO_H__

#include <afxwin.h>
#include <afxdisp.h>

// Info levels of the Get...Info calls
#define AFX_DAO_PRIMARY_INFO    0x00000001
#define AFX_DAO_SECONDARY_INFO  0x00000002
#define AFX_DAO_ALL_INFO        0x00000004

// Recordset types
#define dbOpenTable     1
#define dbOpenDynaset   2
#define dbOpenSnapshot  4

// Starts the engine when it is installed; TRUE when it is. Failure is
// remembered and reported by the first database operation.
BOOL AFXAPI AfxDaoInit();
void AFXAPI AfxDaoTerm();

struct CDaoTableDefInfo
{
    CString m_strName;
    BOOL m_bUpdatable = FALSE;
    long m_lAttributes = 0;
    CString m_strSrcTableName;
    CString m_strConnect;
    CString m_strValidationRule;
    CString m_strValidationText;
    long m_lRecordCount = 0;
};

struct CDaoQueryDefInfo
{
    CString m_strName;
    short m_nType = 0;
    BOOL m_bUpdatable = FALSE;
    BOOL m_bReturnsRecords = FALSE;
    CString m_strSQL;
    CString m_strConnect;
    short m_nODBCTimeout = 0;
};

struct CDaoRelationInfo
{
    CString m_strName;
    CString m_strTable;
    CString m_strForeignTable;
    long m_lAttributes = 0;
};

struct CDaoFieldInfo
{
    CString m_strName;
    short m_nType = 0;
    long m_lSize = 0;
    long m_lAttributes = 0;
    short m_nOrdinalPosition = 0;
    BOOL m_bRequired = FALSE;
    BOOL m_bAllowZeroLength = FALSE;
    CString m_strDefaultValue;
};

class CDaoDatabase : public CObject
{
    DECLARE_DYNAMIC(CDaoDatabase)
public:
    CDaoDatabase();
    ~CDaoDatabase() override;

    // Opens the database file; throws CDaoException on failure (also when
    // the engine is missing).
    virtual void Open(LPCTSTR lpszName, BOOL bExclusive = FALSE, BOOL bReadOnly = FALSE, LPCTSTR lpszConnect = _T(""));
    virtual void Close();
    BOOL IsOpen() const { return m_pDatabase != NULL; }
    CString GetName();

    short GetTableDefCount();
    void GetTableDefInfo(int nIndex, CDaoTableDefInfo& tabledefinfo, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO);
    short GetQueryDefCount();
    void GetQueryDefInfo(int nIndex, CDaoQueryDefInfo& querydefinfo, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO);
    short GetRelationCount();
    void GetRelationInfo(int nIndex, CDaoRelationInfo& relinfo, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO);
    void DeleteTableDef(LPCTSTR lpszName);
    void DeleteQueryDef(LPCTSTR lpszName);

    LPDISPATCH m_pDatabase;   // the engine's Database object
};

class CDaoTableDef : public CObject
{
    DECLARE_DYNAMIC(CDaoTableDef)
public:
    explicit CDaoTableDef(CDaoDatabase* pDatabase);
    ~CDaoTableDef() override;
    virtual void Open(LPCTSTR lpszName);
    virtual void Close();
    BOOL IsOpen() const { return m_pTableDef != NULL; }
    short GetFieldCount();
    void GetFieldInfo(int nIndex, CDaoFieldInfo& fieldinfo, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO);

    CDaoDatabase* m_pDatabase;
    LPDISPATCH m_pTableDef;
};

class CDaoRecordset : public CObject
{
    DECLARE_DYNAMIC(CDaoRecordset)
public:
    explicit CDaoRecordset(CDaoDatabase* pDatabase = NULL);
    ~CDaoRecordset() override;
    virtual void Open(int nOpenType = dbOpenDynaset, LPCTSTR lpszSQL = NULL, int nOptions = 0);
    virtual void Close();
    BOOL IsOpen() const { return m_pRecordset != NULL; }
    BOOL IsEOF();
    BOOL IsBOF();
    void MoveNext();
    void MoveFirst();
    short GetFieldCount();
    COleVariant GetFieldValue(int nIndex);
    COleVariant GetFieldValue(LPCTSTR lpszName);
    void GetFieldInfo(int nIndex, CDaoFieldInfo& fieldinfo, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO);

    CDaoDatabase* m_pDatabase;
    LPDISPATCH m_pRecordset;
};

#endif // __AFXDAO_H__
