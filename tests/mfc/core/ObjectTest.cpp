// Run-time classes, exception lifetimes under TRY/CATCH, and the
// synchronisation objects.
#include <afx.h>
#include <afxmt.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

class CShape : public CObject
{
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape
{
    DECLARE_DYNCREATE(CCircle)
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

TEST(RuntimeClassTest, DerivationCreationAndLookupByName)
{
    CRuntimeClass* pCircle = RUNTIME_CLASS(CCircle);
    EXPECT_STREQ("CCircle", pCircle->m_lpszClassName);
    EXPECT_EQ((int)sizeof(CCircle), pCircle->m_nObjectSize);
    EXPECT_EQ(0xFFFFu, pCircle->m_wSchema);
    EXPECT_TRUE(pCircle->IsDerivedFrom(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(pCircle->IsDerivedFrom(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(pCircle));

    EXPECT_EQ(pCircle, CRuntimeClass::FromName("CCircle"));
    EXPECT_EQ(pCircle, CRuntimeClass::FromName(L"CCircle"));
    EXPECT_EQ(RUNTIME_CLASS(CObArray), CRuntimeClass::FromName("CObArray"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CNoSuchClass"));

    CObject* pObject = CRuntimeClass::FromName("CCircle")->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(pObject->IsKindOf(RUNTIME_CLASS(CException)));
    EXPECT_EQ(pObject, DYNAMIC_DOWNCAST(CCircle, pObject));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CFile, pObject));
    delete pObject;

    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());   // not creatable by name

    // The module's class list can be walked by name as well.
    CRuntimeClass* pFound = nullptr;
    for (CRuntimeClass* pClass = AfxGetModuleState()->m_classList; pClass != nullptr; pClass = pClass->m_pNextClass)
    {
        if (lstrcmpA(pClass->m_lpszClassName, "CShape") == 0)
            pFound = pClass;
    }
    EXPECT_EQ(RUNTIME_CLASS(CShape), pFound);
}

// An exception that counts its live instances.
class CCountedException : public CException
{
public:
    static int s_nLive;
    CCountedException() { s_nLive++; }
    ~CCountedException() override { s_nLive--; }
};
int CCountedException::s_nLive = 0;

TEST(ExceptionTest, CatchBlocksDeleteTheirException)
{
    int nInside = -1;
    TRY
    {
        throw new CCountedException;
    }
    CATCH(CFileException, e)
    {
        ADD_FAILURE() << "wrong handler";
    }
    AND_CATCH(CException, e)
    {
        nInside = CCountedException::s_nLive;
    }
    END_CATCH
    EXPECT_EQ(1, nInside);
    EXPECT_EQ(0, CCountedException::s_nLive);

    // Deleting by hand inside the handler does not delete twice.
    TRY
    {
        throw new CCountedException;
    }
    CATCH_ALL(e)
    {
        e->Delete();
    }
    END_CATCH_ALL
    EXPECT_EQ(0, CCountedException::s_nLive);

    // THROW_LAST hands the same exception to the outer handler.
    CException* pOuter = nullptr;
    try
    {
        TRY
        {
            throw new CCountedException;
        }
        CATCH(CException, e)
        {
            THROW_LAST();
        }
        END_CATCH
    }
    catch (CException* e)
    {
        pOuter = e;
        EXPECT_EQ(1, CCountedException::s_nLive);
    }
    ASSERT_NE(nullptr, pOuter);
    pOuter->Delete();
    EXPECT_EQ(0, CCountedException::s_nLive);
}

TEST(ExceptionTest, MemoryExceptionIsStaticAndMessagesNameTheFile)
{
    CException* pFirst = nullptr;
    CException* pSecond = nullptr;
    try
    {
        AfxThrowMemoryException();
    }
    catch (CMemoryException* e)
    {
        pFirst = e;
        e->Delete();   // must not free the shared object
    }
    try
    {
        AfxThrowMemoryException();
    }
    catch (CMemoryException* e)
    {
        pSecond = e;
        e->Delete();
    }
    EXPECT_EQ(pFirst, pSecond);

    TCHAR szMessage[256];
    CFileException fe(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, L"C:\\x.bin");
    EXPECT_TRUE(fe.GetErrorMessage(szMessage, 256));
    EXPECT_STREQ(L"C:\\x.bin was not found.", szMessage);
    CArchiveException ae(CArchiveException::badClass);
    EXPECT_TRUE(ae.GetErrorMessage(szMessage, 256));
    EXPECT_STREQ(L"an unnamed file contained an unexpected object.", szMessage);
    EXPECT_EQ(CFileException::accessDenied, CFileException::OsErrorToException(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CFileException::sharingViolation, CFileException::OsErrorToException(ERROR_SHARING_VIOLATION));
}

TEST(GeometryTest, OperatorsFollowTheFramework)
{
    EXPECT_EQ(CPoint(-1, -2), CPoint((DWORD)0xFFFEFFFF));   // signed halves
    EXPECT_EQ(CSize(3, -4), CSize((DWORD)MAKELONG(3, -4)));

    CPoint pt(10, 20);
    EXPECT_EQ(CPoint(11, 22), pt + CSize(1, 2));
    EXPECT_EQ(CSize(5, 15), pt - CPoint(5, 5));   // point - point is a size
    EXPECT_EQ(CPoint(-10, -20), -pt);

    CRect rect(0, 0, 10, 20);
    EXPECT_EQ(CRect(5, 5, 15, 25), rect + CPoint(5, 5));
    EXPECT_EQ(CRect(-1, -2, 13, 24), rect + CRect(1, 2, 3, 4));   // inflate by a rect
    EXPECT_EQ(CRect(1, 2, 7, 16), rect - CRect(1, 2, 3, 4));
    EXPECT_EQ(CRect(5, 5, 10, 20), rect & CRect(5, 5, 30, 30));
    EXPECT_EQ(CRect(0, 0, 30, 30), rect | CRect(5, 5, 30, 30));
    EXPECT_TRUE((rect & CRect(50, 50, 60, 60)).IsRectEmpty());
    EXPECT_EQ(CPoint(5, 10), rect.CenterPoint());
    EXPECT_EQ(CSize(10, 20), rect.Size());

    CRect r(rect);
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(1, 2, 7, 16), r);
    r.OffsetRect(CSize(1, 1));
    r.BottomRight() = CPoint(40, 50);
    EXPECT_EQ(CRect(2, 3, 40, 50), r);
    CRect flipped(10, 10, 0, 0);
    EXPECT_TRUE(flipped.IsRectEmpty());
    flipped.NormalizeRect();
    EXPECT_EQ(CRect(0, 0, 10, 10), flipped);
    EXPECT_TRUE(flipped.PtInRect(CPoint(0, 0)));
    EXPECT_FALSE(flipped.PtInRect(CPoint(10, 10)));   // right and bottom are outside
}

TEST(SyncTest, SingleLockSerialisesAndEventsSignal)
{
    CCriticalSection cs;
    long nCounter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; t++)
    {
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; i++)
            {
                CSingleLock lock(&cs, TRUE);
                long n = nCounter;
                nCounter = n + 1;
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(40000, nCounter);

    CEvent manual(FALSE, TRUE);
    CSingleLock waiter(&manual);
    EXPECT_FALSE(waiter.Lock(0));
    manual.SetEvent();
    EXPECT_TRUE(waiter.Lock(0));
    EXPECT_TRUE(waiter.IsLocked());
    waiter.Unlock();
    EXPECT_FALSE(waiter.IsLocked());

    CMutex mutex(TRUE);
    CSingleLock owner(&mutex, TRUE);   // recursive ownership on this thread
    EXPECT_TRUE(owner.IsLocked());
    std::thread other([&] { EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(mutex, 0)); });
    other.join();
    owner.Unlock();
    mutex.Unlock();
}

}  // namespace
