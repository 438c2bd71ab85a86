// Shared entry point of the test executables (linked with -municode).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    // A crashing test must end the process, not open Wine's crash dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    // CTest passes a test only on this line (see tests/CMakeLists.txt): a
    // program that dies or hangs on the way, or whose exit code the desktop
    // runner loses, never counts as passed.
    if (result == 0)
        printf("tesmir: all tests passed\n");
    fflush(stdout);
    return result;
}
