// The options a program built with AddressSanitizer starts with; ASAN_OPTIONS
// given at run time come after them and win.
//
// intercept_tls_get_addr=0: the runtime's __tls_get_addr interceptor (clang
// 14, gcc 12) takes a block of thread-local storage of a library loaded at run
// time (the Qt plugins) that happens to start at 16 bytes past a 4096-byte
// boundary for one with an old glibc's header in front, and records a range
// read from before it. The leak check at exit then scans that range and the
// tracer dies with SIGSEGV ("Tracer caught signal 11 ... LeakSanitizer has
// encountered a fatal error"). Where a block lands depends on every earlier
// allocation, so the environment (one more variable), the test's order and
// the machine's load decided whether a test passed. Without the interceptor
// the leak check still scans every thread's stack and static thread-local
// storage, and the dynamic blocks, which glibc allocates with malloc, through
// the thread's vector of them: leaks are still found.
extern "C" const char *__asan_default_options()
{
    return "intercept_tls_get_addr=0";
}
