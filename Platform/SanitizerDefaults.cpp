// The address sanitizer's default options, compiled into every executable of the sanitizer
// build; ASAN_OPTIONS still overrides each of them.
//
// intercept_tls_get_addr=0: the sanitizer runtime of GCC 12 guesses where a library's dynamic
// thread-local block begins from the block's address alone. A block that the heap happens to
// place 16 bytes past a page boundary is taken for an old glibc's block, and a "header" read
// from the heap in front of it gives a range of garbage, which the leak checker scans at exit
// and faults on ("Tracer caught signal 11", exit status 1). OpenAL allocates such blocks while it
// probes the sound servers of a machine without a sound card, so the game failed at random on
// exit there. The blocks are ordinary heap chunks reachable from the thread's own block table,
// so the leak check still sees every pointer they hold.
extern "C" const char* __asan_default_options()
{
    return "intercept_tls_get_addr=0";
}
