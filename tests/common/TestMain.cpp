// Shared entry point of the test executables (linked with -municode).
#include <gtest/gtest.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    // A crashing test must end the process, not open Wine's crash dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
