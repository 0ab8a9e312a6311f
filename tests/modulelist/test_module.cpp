// A library that does nothing: the module list tests load it to see how it is listed.
extern "C" __declspec(dllexport) int TestModuleMarker()
{
    return 1;
}
