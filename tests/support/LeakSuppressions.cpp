// Linked into every test program: any of them may start the font machinery.
// fontconfig's initialisation loses a few hundred bytes for good (its
// FcFini would free them, but aborts while any font pattern is still
// alive, so the library never calls it). LeakSanitizer reads this list in
// sanitizer builds; other builds never call it.

extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
