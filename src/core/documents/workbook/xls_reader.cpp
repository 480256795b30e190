#include "core/documents/workbook/xls_reader.h"

#include <freexl.h>

#include <limits>
#include <optional>
#include <string>

#include "core/documents/workbook/cell_text.h"
#include "core/documents/workbook/formula_cells.h"
#include "core/documents/workbook/sheet_builder.h"
#include "core/documents/workbook/workbook_error.h"

#if defined(__unix__) || defined(__APPLE__)
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#define FENWARP_READ_IN_CHILD 1
#endif

namespace fenwarp {

namespace {

std::string code_text(int code) {
    return " (FreeXL error " + std::to_string(code) + ")";
}

// Closes the FreeXL handle on every way out.
struct Handle {
    const void* handle = nullptr;
    ~Handle() {
        if (handle != nullptr) freexl_close(handle);
    }
};

std::optional<std::string> cell_text(const FreeXL_CellValue& value) {
    switch (value.type) {
        case FREEXL_CELL_INT:  // booleans come as 1 and 0
            return std::to_string(value.value.int_value);
        case FREEXL_CELL_DOUBLE:
            return number_text(value.value.double_value);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            if (value.value.text_value == nullptr) return std::nullopt;
            return std::string(value.value.text_value);
        default:
            return std::nullopt;
    }
}

SheetData read_sheet(const void* handle, unsigned short index) {
    SheetData sheet;
    const char* name = nullptr;
    int rc = freexl_get_worksheet_name(handle, index, &name);
    if (rc != FREEXL_OK || name == nullptr) {
        throw WorkbookError("Cannot read the name of sheet " + std::to_string(index) +
                            code_text(rc));
    }
    sheet.name = name;
    unsigned rows = 0;
    unsigned short columns = 0;
    rc = freexl_select_active_worksheet(handle, index);
    if (rc == FREEXL_OK) rc = freexl_worksheet_dimensions(handle, &rows, &columns);
    if (rc != FREEXL_OK) throw WorkbookError("Cannot read sheet " + sheet.name + code_text(rc));
    sheet.size = {rows, columns};
    for (unsigned r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue value;
            rc = freexl_get_cell_value(handle, r, c, &value);
            if (rc != FREEXL_OK) {
                throw WorkbookError("Cannot read the cell at row " + std::to_string(r + 1) +
                                    ", column " + std::to_string(c + 1) + " of sheet " +
                                    sheet.name + code_text(rc));
            }
            if (value.type == FREEXL_CELL_DATE || value.type == FREEXL_CELL_DATETIME ||
                value.type == FREEXL_CELL_TIME) {
                sheet.refused.emplace(std::make_pair(r, c), refusal::date);
            } else if (std::optional<std::string> text = cell_text(value)) {
                sheet.cells.emplace(std::make_pair(r, c), std::move(*text));
            }
        }
    }
    return sheet;
}

#ifdef FENWARP_READ_IN_CHILD

// The child's report: 'S' name rows columns, then 'C' row column text per
// cell and 'R' row column reason per refused cell, for each sheet; 'X' message for a failure; 'E'
// at the end. Numbers are 32-bit, texts carry their length first.
void put_u32(std::string& out, std::size_t value) {
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void put_text(std::string& out, const std::string& text) {
    put_u32(out, text.size());
    out += text;
}

std::string encode(const WorkbookData& data) {
    std::string out;
    for (const SheetData& sheet : data.sheets) {
        out += 'S';
        put_text(out, sheet.name);
        put_u32(out, sheet.size.rows);
        put_u32(out, sheet.size.columns);
        for (const auto& [at, text] : sheet.cells) {
            out += 'C';
            put_u32(out, at.first);
            put_u32(out, at.second);
            put_text(out, text);
        }
        for (const auto& [at, reason] : sheet.refused) {
            out += 'R';
            put_u32(out, at.first);
            put_u32(out, at.second);
            put_text(out, reason);
        }
    }
    return out + 'E';
}

class Decoder {
  public:
    explicit Decoder(const std::string& in) : in_(in) {}

    WorkbookData decode() {
        WorkbookData data;
        for (;;) {
            const char tag = take(1)[0];
            if (tag == 'E') return data;
            if (tag == 'X') throw WorkbookError(text());
            if (tag == 'S') {
                data.sheets.push_back({text(), {u32(), u32()}, {}});
            } else if ((tag == 'C' || tag == 'R') && !data.sheets.empty()) {
                const std::uint32_t row = u32();
                const std::uint32_t column = u32();
                SheetData& sheet = data.sheets.back();
                (tag == 'C' ? sheet.cells : sheet.refused)
                    .emplace(std::make_pair(row, column), text());
            } else {
                broken();
            }
        }
    }

  private:
    [[noreturn]] static void broken() {
        throw WorkbookError("The workbook reader gave no complete answer");
    }
    std::string take(std::size_t n) {
        if (n > in_.size() - at_) broken();
        std::string piece = in_.substr(at_, n);
        at_ += n;
        return piece;
    }
    std::uint32_t u32() {
        const std::string b = take(4);
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(b[i]);
        return value;
    }
    std::string text() { return take(u32()); }

    const std::string& in_;
    std::size_t at_ = 0;
};

void write_all(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

[[noreturn]] void run_child(int fd, const std::filesystem::path& file) {
    std::string out;
    try {
        out = encode(read_xls_here(file));
    } catch (const std::exception& e) {
        out = "X";
        put_text(out, e.what());
    } catch (...) {
        out = "X";
        put_text(out, "Cannot read workbook " + file.string());
    }
    write_all(fd, out);
    ::_exit(0);
}

// Everything the child writes until it closes the pipe; false when the time
// ran out first.
bool read_until_closed(int fd, std::chrono::milliseconds limit, std::string& in) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    char buffer[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd watch{fd, POLLIN, 0};
        const int ready = ::poll(&watch, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return true;
        in.append(buffer, static_cast<std::size_t>(n));
    }
}

#endif

}  // namespace

WorkbookData read_xls_here(const std::filesystem::path& file) {
    Handle workbook;
    int rc = freexl_open(file.c_str(), &workbook.handle);
    // FreeXL may report success and still give no handle for a file it could
    // not take in.
    if (rc != FREEXL_OK || workbook.handle == nullptr) {
        throw WorkbookError("Cannot open workbook " + file.string() + code_text(rc));
    }
    unsigned count = 0;
    rc = freexl_get_info(workbook.handle, FREEXL_BIFF_SHEET_COUNT, &count);
    if (rc != FREEXL_OK) throw WorkbookError("Cannot count the sheets" + code_text(rc));
    WorkbookData data;
    for (unsigned i = 0; i < count && i <= std::numeric_limits<unsigned short>::max(); ++i) {
        data.sheets.push_back(read_sheet(workbook.handle, static_cast<unsigned short>(i)));
    }
    return data;
}

#ifdef FENWARP_READ_IN_CHILD

WorkbookData read_xls(const std::filesystem::path& file, std::chrono::milliseconds limit) {
    int fds[2];
    if (::pipe(fds) != 0) throw WorkbookError("Cannot start the workbook reader");
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        throw WorkbookError("Cannot start the workbook reader");
    }
    if (child == 0) {
        ::close(fds[0]);
        run_child(fds[1], file);
    }
    ::close(fds[1]);
    std::string answer;
    const bool in_time = read_until_closed(fds[0], limit, answer);
    ::close(fds[0]);
    if (!in_time) ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!in_time) {
        throw WorkbookError("Reading workbook " + file.string() + " took longer than " +
                            std::to_string(limit.count() / 1000) + " s; it was given up");
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw WorkbookError("The workbook reader failed on " + file.string() +
                            "; the file is damaged or not a workbook");
    }
    return Decoder(answer).decode();
}

#else

WorkbookData read_xls(const std::filesystem::path& file, std::chrono::milliseconds) {
    return read_xls_here(file);
}

#endif

WorkbookData XlsReader::read(const WorkbookFile& file) const {
    WorkbookData data = read_xls(file.path);
    const FormulaCells formulas = find_formula_cells_in(file.bytes);
    for (SheetData& sheet : data.sheets) {
        auto found = formulas.find(sheet.name);
        if (found == formulas.end()) continue;
        for (const auto& [row, column] : found->second) {
            const CellPlace at{row, column};
            if (sheet.cells.count(at) == 0) sheet.refused.emplace(at, refusal::formula);
        }
    }
    return data;
}

}  // namespace fenwarp
