// Hamlib keeps its table of rig models (rig_register, filled by rig_load_all_backends and
// rig_init) for the life of the process and never frees it. That is Hamlib's own
// one-off allocation, not a leak of ours: LeakSanitizer is told to leave it out.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libhamlib.so\n";
}
