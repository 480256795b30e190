#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/firmware/image_patch.h"

namespace fenwarp {

inline constexpr const char* update_log_name = "update.log";

// One update as update.log keeps it: which project state went into which
// image, and to which port the flash writer took it.
struct UpdateRecord {
    std::string time;  // UTC, 2026-12-11T14:05:00Z
    std::string template_path;
    std::string template_sha256;
    std::string template_stamp;  // empty when the file had not settled
    std::string image_path;
    std::string image_sha256;
    // The six documents, then the five bank files: name and digest, the
    // digest empty when the file is missing.
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<int> banks;           // the banks whose records the image holds
    std::optional<std::string> port;  // "COM3" when the flash writer was started
};

// The record of a patch that made an image: digests of the six documents of
// the project folder and of the five bank files, taken now.
UpdateRecord update_record(const std::filesystem::path& project_dir,
                           const std::filesystem::path& bank_dir, const ImagePatch& patch,
                           const PatchOutcome& outcome);

// One JSON object on one line, ending in a line feed.
std::string update_log_line(const UpdateRecord& record);

// Appends the line to update.log in the project folder with a single write on
// a descriptor opened for appending, so two updates never mix their lines.
// A link or anything but a regular file at that place is refused. Throws
// Error naming the file.
void append_update_log(const std::filesystem::path& project_dir, const std::string& line);

// The records of update.log, oldest first; a line that does not read as a
// record comes back with only its time set to "?". Nothing when the log is
// missing.
std::vector<UpdateRecord> read_update_log(const std::filesystem::path& project_dir);

// The template digest of the newest record made from `template_file`, with
// the stamp the file had then, for the next patch to reuse while the file
// keeps that stamp. Only the end of the log is read, so its length costs
// nothing.
std::optional<KnownDigest> last_template_digest(const std::filesystem::path& project_dir,
                                                const std::filesystem::path& template_file);

// The records as a text table, one update a row, newest last.
std::string update_log_table(const std::vector<UpdateRecord>& records);

}  // namespace fenwarp
