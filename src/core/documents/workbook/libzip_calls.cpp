// The libzip functions the workbook reader calls, each loading libzip on its
// first call: the command line tool then starts without loading libzip and
// the libraries it needs in turn, which cost more than the rest of its start.
#include <zip.h>

#include "core/dynamic_library.h"

namespace {

fenwarp::DynamicLibrary& library() {
    static fenwarp::DynamicLibrary loaded(FENWARP_LIBZIP_SONAME,
                                          "Reading .xlsx and .ods workbooks");
    return loaded;
}

template <typename Function>
Function libzip(const char* name) {
    return reinterpret_cast<Function>(library().symbol(name));
}

}  // namespace

// Each call goes to the function of the same name in libzip, found once.
#define FENWARP_LIBZIP(name, ...)                                  \
    static const auto function = libzip<decltype(&::name)>(#name); \
    return function(__VA_ARGS__)

extern "C" {

zip_source_t* zip_source_buffer_create(const void* data, zip_uint64_t len, int freep,
                                       zip_error_t* error) {
    FENWARP_LIBZIP(zip_source_buffer_create, data, len, freep, error);
}
zip_t* zip_open_from_source(zip_source_t* source, int flags, zip_error_t* error) {
    FENWARP_LIBZIP(zip_open_from_source, source, flags, error);
}
void zip_source_free(zip_source_t* source) {
    FENWARP_LIBZIP(zip_source_free, source);
}
void zip_discard(zip_t* archive) {
    FENWARP_LIBZIP(zip_discard, archive);
}
void zip_error_init(zip_error_t* error) {
    FENWARP_LIBZIP(zip_error_init, error);
}
void zip_error_fini(zip_error_t* error) {
    FENWARP_LIBZIP(zip_error_fini, error);
}
const char* zip_error_strerror(zip_error_t* error) {
    FENWARP_LIBZIP(zip_error_strerror, error);
}
zip_error_t* zip_get_error(zip_t* archive) {
    FENWARP_LIBZIP(zip_get_error, archive);
}
zip_error_t* zip_file_get_error(zip_file_t* file) {
    FENWARP_LIBZIP(zip_file_get_error, file);
}
zip_int64_t zip_get_num_entries(zip_t* archive, zip_flags_t flags) {
    FENWARP_LIBZIP(zip_get_num_entries, archive, flags);
}
const char* zip_get_name(zip_t* archive, zip_uint64_t index, zip_flags_t flags) {
    FENWARP_LIBZIP(zip_get_name, archive, index, flags);
}
zip_int64_t zip_name_locate(zip_t* archive, const char* name, zip_flags_t flags) {
    FENWARP_LIBZIP(zip_name_locate, archive, name, flags);
}
zip_file_t* zip_fopen_index(zip_t* archive, zip_uint64_t index, zip_flags_t flags) {
    FENWARP_LIBZIP(zip_fopen_index, archive, index, flags);
}
zip_int64_t zip_fread(zip_file_t* file, void* into, zip_uint64_t count) {
    FENWARP_LIBZIP(zip_fread, file, into, count);
}
int zip_fclose(zip_file_t* file) {
    FENWARP_LIBZIP(zip_fclose, file);
}

}  // extern "C"
