#include "core/documents/workbook/zip_archive.h"

#include <zip.h>

#include <vector>

#include "core/documents/workbook/workbook_error.h"

namespace fenwarp {

namespace {

constexpr std::size_t name_length_limit = 1024;

std::string zip_reason(zip_error_t* error) {
    const char* text = zip_error_strerror(error);
    return text != nullptr ? text : "unknown zip error";
}

}  // namespace

bool looks_like_zip(std::string_view bytes) {
    return bytes.substr(0, 4) == std::string_view("PK\x03\x04", 4) ||
           bytes.substr(0, 4) == std::string_view("PK\x05\x06", 4);
}

bool sound_entry_name(std::string_view name) {
    if (name.empty() || name.size() > name_length_limit || name.front() == '/') return false;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\\' || c == ':') return false;
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string_view::npos) end = name.size();
        const std::string_view step = name.substr(start, end - start);
        // An empty step is allowed only as the end of a folder entry.
        if (step == "." || step == ".." || (step.empty() && end != name.size())) return false;
        start = end + 1;
    }
    return true;
}

std::string resolve_entry_name(std::string_view source, std::string_view target) {
    std::string path;
    if (!target.empty() && target.front() == '/') {
        path = target.substr(1);
    } else {
        const std::size_t slash = source.rfind('/');
        if (slash != std::string_view::npos) path = source.substr(0, slash + 1);
        path += target;
    }
    std::vector<std::string> steps;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string step = path.substr(start, end - start);
        if (step == "..") {
            if (steps.empty()) return {};
            steps.pop_back();
        } else if (!step.empty() && step != ".") {
            steps.push_back(step);
        }
        start = end + 1;
    }
    std::string name;
    for (const std::string& step : steps) name += (name.empty() ? "" : "/") + step;
    return name;
}

ZipArchive::ZipArchive(std::string_view bytes, std::string label, std::size_t limit)
    : label_(std::move(label)), limit_(limit) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) {
        const std::string reason = zip_reason(&error);
        zip_error_fini(&error);
        fail("cannot be read (" + reason + ")");
    }
    archive_.reset(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (archive_ == nullptr) {
        zip_source_free(source);
        const std::string reason = zip_reason(&error);
        zip_error_fini(&error);
        fail("is a damaged or truncated zip container (" + reason + ")");
    }
    zip_error_fini(&error);
    check_names();
}

void ZipArchive::Discard::operator()(zip* archive) const {
    zip_discard(archive);
}

void ZipArchive::fail(const std::string& what) const {
    throw WorkbookError("Workbook " + label_ + " " + what);
}

void ZipArchive::check_names() const {
    const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > entry_count_limit) {
        fail("holds more than " + std::to_string(entry_count_limit) + " entries");
    }
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name =
            zip_get_name(archive_.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        if (name == nullptr) fail("has an entry without a name");
        if (!sound_entry_name(name)) {
            fail("has an entry named outside the container or absurdly: \"" +
                 std::string(name).substr(0, 80) + "\"");
        }
    }
}

bool ZipArchive::has(const std::string& name) const {
    return zip_name_locate(archive_.get(), name.c_str(), ZIP_FL_ENC_RAW) >= 0;
}

std::string ZipArchive::read(const std::string& name) const {
    const zip_int64_t index = zip_name_locate(archive_.get(), name.c_str(), ZIP_FL_ENC_RAW);
    if (index < 0) fail("lacks its part " + name);
    zip_file_t* file = zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr) {
        fail("cannot open its part " + name + " (" + zip_reason(zip_get_error(archive_.get())) +
             ")");
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0) {
            const std::string reason = zip_reason(zip_file_get_error(file));
            zip_fclose(file);
            fail("has a damaged part " + name + " (" + reason + ")");
        }
        if (n == 0) break;
        if (bytes.size() + static_cast<std::size_t>(n) > limit_) {
            zip_fclose(file);
            fail("is refused: its part " + name + " inflates to more than " +
                 std::to_string(limit_) + " bytes (a zip bomb?)");
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    zip_fclose(file);
    return bytes;
}

}  // namespace fenwarp
