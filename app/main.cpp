#include "app/Program.h"

#include <windows.h>

#include <cstdlib>

// Every handler catches what it raises, so nothing reaches the terminate handler; the library's
// verbose one would only bring in its name demangler, a sixth of the program's size.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunPlexor(); }
