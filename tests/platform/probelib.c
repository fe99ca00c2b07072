/* Loaded by the dynamic-library tests. */
int velmora_probe_answer(void) {
    return 42;
}
