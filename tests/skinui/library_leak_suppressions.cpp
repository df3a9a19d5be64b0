// Font, text and toolkit libraries keep caches for the life of the process
// and never free them; the leak checker is told to leave those alone.

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libpango-1.0.so\n"
           "leak:libpangoft2-1.0.so\n"
           "leak:libpangocairo-1.0.so\n"
           "leak:libharfbuzz.so\n"
           "leak:libdbus-1.so\n"
           "leak:libatk-1.0.so\n"
           "leak:libatk-bridge-2.0.so\n";
}
