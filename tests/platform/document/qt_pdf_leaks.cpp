// Qt PDF 6.4 leaves its page renderer's thread and pdfium's caches behind when a QPdfView is
// deleted, and its scroller registered (scripts/lsan.supp names them). Those allocations are made
// inside Qt libraries built without frame pointers, so the sanitizer's fast unwinder loses the Qt
// PDF frames the suppressions match; the binaries that show the viewer unwind fully instead.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}
