#include "CFileTypeRecord.h"

#include "trace/SignatureCatalogue.h"

IMPLEMENT_DYNAMIC(CFileTypeRecord, CObject)

CFileTypeRecord::CFileTypeRecord(const CatalogueRecord& record)
    : m_nIndex(record.index),
      m_strExtension(record.extension.c_str()),
      m_strDescription(record.description.c_str()),
      m_strSignature(record.signature.c_str()),
      m_strCompareLength(record.compareLength.c_str()),
      m_strFifthField(record.fifthField.c_str())
{
}

CFileTypeRecord::~CFileTypeRecord()
{
}
