// The sanitizers' options of every program of the sanitizer build, read by
// the sanitizer runtimes before main. ASAN_OPTIONS, LSAN_OPTIONS and
// UBSAN_OPTIONS in the environment still add to them or override them.

extern "C" {

const char* __asan_default_options() {
    return "detect_leaks=1:halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=1"
           ":check_initialization_order=1:strict_init_order=1:strict_string_checks=1"
           ":log_path=" SANITIZER_REPORT_DIR "/report";
}

const char* __lsan_default_options() {
    return "suppressions=" LSAN_SUPPRESSIONS ":print_suppressions=0";
}

const char* __ubsan_default_options() {
    // Undefined behaviour is never suppressed: every check stops the program.
    return "print_stacktrace=1:halt_on_error=1:log_path=" SANITIZER_REPORT_DIR "/report";
}

// Libraries stay loaded to the end of the process. A leak report names only
// a library that is still mapped, and the suppressions match libraries by
// name; the ODBC driver manager unloads its driver when it disconnects.
int dlclose(void*) {
    return 0;
}

}  // extern "C"
