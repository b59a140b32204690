// An exception that leaves main ends the program. GCC's default handler first
// prints the exception's type name, and for that links in a demangler that
// is a sixth of the program; both programs catch all they throw, so ending
// at once is all that is needed. Linked into each program directly, so the
// library's own handler is never pulled in.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    std::abort();
}

} // namespace __gnu_cxx
