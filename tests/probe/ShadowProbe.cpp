// Prints the system version this process sees and the class style its shadowed hint window
// gets, as "<platform> <major>.<minor> <class style in hex>". The hint window tests run it under
// faked system versions, which Wine sets per program.
#include "controls/ShadowedHintWindow.h"

#include <cstdio>
#include <exception>

int main()
{
    try {
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof version;
        GetVersionExA(&version);
        TShadowedHintWindow hint;
        hint.CreateHandle(nullptr);
        std::printf("%lu %lu.%lu %lx\n", version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion,
                    GetClassLongA(hint.Handle(), GCL_STYLE));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
