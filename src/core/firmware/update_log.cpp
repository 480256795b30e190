#include "core/firmware/update_log.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <sstream>

#include <nlohmann/json.hpp>

#include "core/banks/bank_files.h"
#include "core/error.h"
#include "core/input_file.h"
#include "core/sha256.h"
#include "core/shell/project_context.h"

#ifdef _WIN32
#include <cstdio>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fenwarp {
namespace {

using nlohmann::json;

std::string utc_now() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::string text_of(const json& object, const char* key) {
    auto found = object.find(key);
    return found != object.end() && found->is_string() ? found->get<std::string>() : "";
}

// Reads one line; anything unexpected leaves a field empty rather than failing.
UpdateRecord record_of(const std::string& line) {
    UpdateRecord record;
    const json object = json::parse(line, nullptr, false);
    if (!object.is_object()) {
        record.time = "?";
        return record;
    }
    record.time = text_of(object, "time");
    if (auto t = object.find("template"); t != object.end() && t->is_object()) {
        record.template_path = text_of(*t, "path");
        record.template_sha256 = text_of(*t, "sha256");
        record.template_stamp = text_of(*t, "stamp");
    }
    if (auto i = object.find("image"); i != object.end() && i->is_object()) {
        record.image_path = text_of(*i, "path");
        record.image_sha256 = text_of(*i, "sha256");
    }
    for (const char* group : {"documents", "bank_files"}) {
        auto g = object.find(group);
        if (g == object.end() || !g->is_object()) continue;
        for (const auto& [name, digest] : g->items()) {
            record.files.emplace_back(name, digest.is_string() ? digest.get<std::string>() : "");
        }
    }
    if (auto b = object.find("banks"); b != object.end() && b->is_array()) {
        for (const json& bank : *b) {
            if (bank.is_number_integer()) record.banks.push_back(bank.get<int>());
        }
    }
    if (auto p = object.find("port"); p != object.end() && p->is_string()) {
        record.port = p->get<std::string>();
    }
    return record;
}

std::string cell(const std::string& text, std::size_t width) {
    std::string out = text.size() > width ? text.substr(0, width) : text;
    out.resize(width + 2, ' ');
    return out;
}

std::string short_digest(const std::string& digest) {
    return digest.empty() ? "-" : digest.substr(0, 12);
}

}  // namespace

UpdateRecord update_record(const std::filesystem::path& project_dir,
                           const std::filesystem::path& bank_dir, const ImagePatch& patch,
                           const PatchOutcome& outcome) {
    UpdateRecord record;
    record.time = utc_now();
    record.template_path = patch.template_file.string();
    record.template_sha256 = outcome.template_sha256;
    record.template_stamp = outcome.template_stamp;
    record.image_path = (patch.output_dir / patch.output_name).string();
    record.image_sha256 = outcome.image_sha256;
    ProjectContext project;
    project.project_dir = project_dir;
    project.derive_document_paths();
    const DocumentPaths& d = project.documents;
    for (const auto* path : {&d.pargen, &d.sdo, &d.emcydef, &d.emcyword, &d.rpdodef, &d.sdopdo}) {
        record.files.emplace_back(path->filename().string(), sha256_of_file(*path).value_or(""));
    }
    for (int k = 1; k <= BankRanges::count; ++k) {
        record.files.emplace_back(
            bank_file_name(k), sha256_of_file(join_path(bank_dir, bank_file_name(k))).value_or(""));
    }
    for (int k = 1; k <= BankRanges::count; ++k) {
        if (outcome.patched[static_cast<std::size_t>(k - 1)]) record.banks.push_back(k);
    }
    return record;
}

std::string update_log_line(const UpdateRecord& record) {
    json documents = json::object();
    json bank_files = json::object();
    for (const auto& [name, digest] : record.files) {
        json& group = name.ends_with(".bin") ? bank_files : documents;
        group[name] = digest.empty() ? json(nullptr) : json(digest);
    }
    // Keys in a fixed, readable order: time first.
    std::string text = "{\"time\":" + json(record.time).dump();
    const json stamp = record.template_stamp.empty() ? json(nullptr) : json(record.template_stamp);
    text +=
        ",\"template\":" +
        json{{"path", record.template_path}, {"sha256", record.template_sha256}, {"stamp", stamp}}
            .dump();
    text +=
        ",\"image\":" + json{{"path", record.image_path}, {"sha256", record.image_sha256}}.dump();
    text += ",\"documents\":" + documents.dump();
    text += ",\"bank_files\":" + bank_files.dump();
    text += ",\"banks\":" + json(record.banks).dump();
    text += ",\"port\":" + (record.port ? json(*record.port) : json(nullptr)).dump();
    return text + "}\n";
}

void append_update_log(const std::filesystem::path& project_dir, const std::string& line) {
    const std::filesystem::path path = join_path(project_dir, update_log_name);
    const auto refuse = [&](const std::string& reason) {
        throw Error("Cannot write file " + path.string() + ": " + reason);
    };
#ifdef _WIN32
    std::FILE* file = _wfopen(path.c_str(), L"ab");
    if (file == nullptr) refuse(std::strerror(errno));
    const bool whole = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    if (std::fclose(file) != 0 || !whole) refuse(std::strerror(errno));
#else
    // O_NOFOLLOW: never through a link; O_NONBLOCK: a FIFO there cannot block.
    const int fd = ::open(
        path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) refuse(errno == ELOOP ? "it is a symbolic link" : std::strerror(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        refuse("it is not a regular file");
    }
    const ssize_t written = ::write(fd, line.data(), line.size());
    const int error = errno;
    ::close(fd);
    if (written != static_cast<ssize_t>(line.size())) {
        refuse(written < 0 ? std::strerror(error) : "the disk is full");
    }
#endif
}

std::vector<UpdateRecord> read_update_log(const std::filesystem::path& project_dir) {
    std::vector<UpdateRecord> records;
    const std::optional<std::string> text =
        read_regular_file(join_path(project_dir, update_log_name));
    if (!text) return records;
    std::istringstream lines(*text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty()) records.push_back(record_of(line));
    }
    return records;
}

std::optional<KnownDigest> last_template_digest(const std::filesystem::path& project_dir,
                                                const std::filesystem::path& template_file) {
    constexpr std::uintmax_t tail = 1 << 16;  // dozens of records
    InputFile log(join_path(project_dir, update_log_name));
    if (!log.is_open()) return std::nullopt;
    if (log.size() > tail) log.seek(log.size() - tail);
    std::string text = log.read_all();
    // Complete lines only: the first may have begun before the tail.
    if (log.size() > tail) text.erase(0, std::min(text.size(), text.find('\n') + 1));
    std::size_t end = text.size();
    while (end > 0) {
        const std::size_t begin = text.rfind('\n', end - 1);
        const std::size_t start = begin == std::string::npos ? 0 : begin + 1;
        const UpdateRecord record = record_of(text.substr(start, end - start));
        if (record.template_path == template_file.string()) {
            if (record.template_stamp.empty() || record.template_sha256.size() != 64)
                return std::nullopt;
            return KnownDigest{record.template_stamp, record.template_sha256};
        }
        end = begin == std::string::npos ? 0 : begin;
    }
    return std::nullopt;
}

std::string update_log_table(const std::vector<UpdateRecord>& records) {
    std::vector<std::string> names;
    for (const UpdateRecord& r : records) {
        for (const auto& file : r.files) {
            if (std::find(names.begin(), names.end(), file.first) == names.end())
                names.push_back(file.first);
        }
    }
    std::string out = cell("Time (UTC)", 20) + cell("Banks", 5) + cell("Port", 4) +
                      cell("Image", 12) + cell("Template", 12);
    for (const std::string& name : names) out += cell(name, 12);
    out += "\n";
    for (const UpdateRecord& r : records) {
        std::string banks;
        for (int bank : r.banks) banks += (banks.empty() ? "" : ",") + std::to_string(bank);
        out += cell(r.time, 20) + cell(banks.empty() ? "-" : banks, 5) +
               cell(r.port.value_or("-"), 4) + cell(short_digest(r.image_sha256), 12) +
               cell(short_digest(r.template_sha256), 12);
        for (const std::string& name : names) {
            std::string digest;
            for (const auto& file : r.files) {
                if (file.first == name) digest = file.second;
            }
            out += cell(short_digest(digest), 12);
        }
        while (!out.empty() && out.back() == ' ') out.pop_back();
        out += "\n";
    }
    return out;
}

}  // namespace fenwarp
