// A library that lies beside the test program under a name of its own: the
// program must never load such a file in place of a system library.
extern "C" __declspec(dllexport) int planted() { return 1; }
