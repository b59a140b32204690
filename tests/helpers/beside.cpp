// A library that lies beside the test programs, where a planted DLL would lie
// beside velk.exe.
extern "C" __declspec(dllexport) int VelkTestBeside()
{
    return 1;
}
