// Entry of the Windows test program. A crash under Wine may end the process with status 0,
// so an unhandled exception ends it here with the exception's code instead.
#include <windows.h>

#include <gtest/gtest.h>

static LONG WINAPI FailOnCrash(EXCEPTION_POINTERS* info)
{
    TerminateProcess(GetCurrentProcess(), info->ExceptionRecord->ExceptionCode | 1u);
    return EXCEPTION_EXECUTE_HANDLER;
}

int main(int argc, char** argv)
{
    SetUnhandledExceptionFilter(FailOnCrash);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
