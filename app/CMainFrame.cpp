#include "CMainFrame.h"

#include "image/VirtualDisk.h"
#include "io/SectorReader.h"

CMainFrame::CMainFrame() : m_pVirtualDisk(NULL) {}

CMainFrame::~CMainFrame()
{
    if (m_pVirtualDisk && GetSectorReaderDisk() == m_pVirtualDisk)
        SetSectorReaderDisk(NULL);
    delete m_pVirtualDisk;
}

CVirtualDisk* CMainFrame::EnsureVirtualDisk()
{
    if (!m_pVirtualDisk) {
        m_pVirtualDisk = new CVirtualDisk;
        SetSectorReaderDisk(m_pVirtualDisk);
    }
    return m_pVirtualDisk;
}
