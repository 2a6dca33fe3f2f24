// The reference for loading a bundle: a shared library with nothing in it but one function.
extern "C" int px7000BenchEmpty() { return 0; }
