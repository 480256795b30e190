// The libxlsxwriter functions the workbook export calls, each loading the
// library on its first call, as the libzip calls do: a start of the command
// line tool that exports nothing does not load it.
#include <xlsxwriter.h>

#include "core/dynamic_library.h"

namespace {

fenwarp::DynamicLibrary& library() {
    static fenwarp::DynamicLibrary loaded(FENWARP_XLSXWRITER_SONAME, "Writing .xlsx workbooks");
    return loaded;
}

template <typename Function>
Function xlsxwriter(const char* name) {
    return reinterpret_cast<Function>(library().symbol(name));
}

}  // namespace

// Each call goes to the function of the same name in libxlsxwriter, found once.
#define FENWARP_XLSXWRITER(name, ...)                                  \
    static const auto function = xlsxwriter<decltype(&::name)>(#name); \
    return function(__VA_ARGS__)

extern "C" {

lxw_workbook* workbook_new_opt(const char* filename, lxw_workbook_options* options) {
    FENWARP_XLSXWRITER(workbook_new_opt, filename, options);
}
lxw_worksheet* workbook_add_worksheet(lxw_workbook* workbook, const char* sheetname) {
    FENWARP_XLSXWRITER(workbook_add_worksheet, workbook, sheetname);
}
lxw_error worksheet_write_string(lxw_worksheet* worksheet, lxw_row_t row, lxw_col_t col,
                                 const char* string, lxw_format* format) {
    FENWARP_XLSXWRITER(worksheet_write_string, worksheet, row, col, string, format);
}
lxw_error workbook_close(lxw_workbook* workbook) {
    FENWARP_XLSXWRITER(workbook_close, workbook);
}
char* lxw_strerror(lxw_error error) {
    FENWARP_XLSXWRITER(lxw_strerror, error);
}

}  // extern "C"
