// The stack protector's guard and failure handlers, in place of the GCC
// runtime's: that one takes the guard from CryptGenRandom, whose provider
// costs each start more than the rest of the program. RtlGenRandom, which
// the C runtime's rand_s uses too, gives the same randomness cheaply.
// Linked into each program directly, so the runtime's are never pulled in.
#include <windows.h>

extern "C" BOOLEAN NTAPI SystemFunction036(PVOID buffer, ULONG length); // RtlGenRandom

namespace {

[[noreturn]] void Fail(const char* message, DWORD length)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), message, length, &written, nullptr);
    TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    for (;;) {
    }
}

} // namespace

extern "C" {

void* __stack_chk_guard = reinterpret_cast<void*>(0x2F8A51C3);

// Before any other constructor, so no guarded frame sees the guard change.
__attribute__((constructor(101), no_stack_protector)) void VelkSetUpStackGuard()
{
    void* guard = nullptr;
    if (SystemFunction036(&guard, sizeof guard) && guard != nullptr) __stack_chk_guard = guard;
}

[[noreturn]] void __stack_chk_fail()
{
    static const char message[] = "*** stack smashing detected ***: terminated\r\n";
    Fail(message, sizeof message - 1);
}

[[noreturn]] void __chk_fail()
{
    static const char message[] = "*** buffer overflow detected ***: terminated\r\n";
    Fail(message, sizeof message - 1);
}

} // extern "C"
