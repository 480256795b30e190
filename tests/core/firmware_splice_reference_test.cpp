// The one-pass patch against the five-step chain it replaced, which patched
// one bank per pass, each pass reading the image the pass before wrote. The
// chain is kept here as the reference, written plainly and apart from the
// code under test, and both run over generated templates: records across
// bank edges, S1/S2/S3 records, S7/S8/S9 end records, missing ranges, banks
// left out, CR LF and LF line ends, lines after the end record.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "../fixtures/firmware_images.h"
#include "core/firmware/image_patch.h"

namespace fenwarp {
namespace {

using test::srec_line;

constexpr std::uint32_t bank_first(int k) {
    return 0x388000 + 0x10000 * static_cast<std::uint32_t>(k - 1);
}

std::optional<std::uint32_t> hex(const std::string& text, std::size_t at, std::size_t digits) {
    if (text.size() < at + digits) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        const char c = text[i];
        int d = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                       : -1;
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return value;
}

std::string bank_text(int k) {
    const std::string bytes = test::bank_bytes(k);
    std::string text;
    for (std::uint32_t at = 0; at < 16384; at += 32) {
        text += srec_line('2', bank_first(k) + at,
                          std::vector<std::uint8_t>(bytes.begin() + at, bytes.begin() + at + 32));
    }
    return text;
}

struct StepOutcome {
    bool failed = false;
    bool written = false;  // the bank stands before the last end record
    std::string out;
};

// One step of the chain: bank k into the image.
StepOutcome chain_step(const std::string& image, int k) {
    StepOutcome step;
    bool inserted = false, end_seen = false;
    const std::uint64_t first = bank_first(k), last = first + 0x4000;
    auto insert = [&] {
        if (!inserted) step.out += bank_text(k);
        inserted = true;
    };
    std::size_t pos = 0;
    while (pos < image.size()) {
        const std::size_t nl = image.find('\n', pos);
        const std::size_t next = nl == std::string::npos ? image.size() : nl + 1;
        const std::string raw = image.substr(pos, next - pos);
        pos = next;
        std::string line = raw;
        if (!line.empty() && line.back() == '\n') line.pop_back();
        if (!line.empty() && line.back() == '\r') line.pop_back();
        bool keep = true;
        if (line.empty()) {
            if (!end_seen) return {true, false, ""};
        } else if (line.size() >= 2 && line[0] == 'S' && line[1] >= '1' && line[1] <= '3') {
            const std::size_t n = static_cast<std::size_t>(line[1] - '0' + 1);
            auto count = hex(line, 2, 2);
            auto address = hex(line, 4, 2 * n);
            if (!count || !address) {
                if (!end_seen) return {true, false, ""};
            } else {
                const std::size_t data = *count > n + 1 ? *count - n - 1 : 0;
                const std::uint64_t begin = *address, end = begin + std::max<std::size_t>(data, 1);
                if (end > first && begin < last) {
                    if (begin >= first && end <= last) {
                        keep = false;
                        insert();
                    } else {
                        std::vector<std::uint8_t> bytes;
                        unsigned sum = *count;
                        for (std::size_t i = 0; i < n; ++i) sum += (*address >> (8 * i)) & 0xFF;
                        bool whole = true;
                        for (std::size_t i = 0; i < data && whole; ++i) {
                            auto b = hex(line, 4 + 2 * n + 2 * i, 2);
                            whole = b.has_value();
                            if (b) bytes.push_back(static_cast<std::uint8_t>(*b)), sum += *b;
                        }
                        auto stated = hex(line, 4 + 2 * n + 2 * data, 2);
                        if (!whole || !stated || *stated != (~sum & 0xFF)) {
                            if (!end_seen) return {true, false, ""};
                        } else {
                            keep = false;
                            if (begin < first) {
                                step.out +=
                                    srec_line(line[1], *address,
                                              {bytes.begin(),
                                               bytes.begin() + static_cast<long>(first - begin)});
                            }
                            insert();
                            if (end > last) {
                                step.out += srec_line(
                                    line[1], static_cast<std::uint32_t>(last),
                                    {bytes.end() - static_cast<long>(end - last), bytes.end()});
                            }
                        }
                    }
                }
            }
        } else if (line.size() >= 2 && line[0] == 'S' && line[1] >= '7' && line[1] <= '9') {
            end_seen = true;
            step.written = inserted;
        }
        if (keep) {
            step.out += raw;
            if (raw.back() != '\n') step.out += "\r\n";
        }
    }
    if (!end_seen) return {true, false, ""};
    return step;
}

struct ChainOutcome {
    bool produced = false;
    std::array<bool, 5> no_record{};
    std::string image;
};

ChainOutcome chain(const std::string& image, const std::array<bool, 5>& banks) {
    ChainOutcome outcome{true, {}, image};
    for (int k = 1; k <= 5; ++k) {
        if (!banks[static_cast<std::size_t>(k - 1)]) continue;
        StepOutcome step = chain_step(outcome.image, k);
        if (step.failed) return {};
        outcome.image = step.out;
        outcome.no_record[static_cast<std::size_t>(k - 1)] = !step.written;
    }
    return outcome;
}

// A template of records around and across the bank edges, of every type,
// with now and then a fault, an end record in the middle, lines after it, LF
// line ends or no line end at the very end.
std::string generated_template(std::mt19937& random) {
    auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
    const std::string eol = pick(3) == 0 ? "\n" : "\r\n";
    auto line = [&](std::string text) {
        if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n")
            text.resize(text.size() - 2);
        return text + eol;
    };
    std::string image = line("S00F000068656C6C6F202020202000003C");
    const unsigned records = pick(40);
    const unsigned end_at = pick(records + 2);
    for (unsigned r = 0; r <= records; ++r) {
        if (r == end_at) {
            const char* ends[] = {"S705000000FA", "S804000000FB", "S9030000FC", ""};
            const std::string end = ends[pick(4)];
            if (!end.empty()) image += line(end);
        }
        std::vector<std::uint8_t> data(1 + pick(40));
        for (auto& b : data) b = static_cast<std::uint8_t>(random());
        const int k = 1 + static_cast<int>(pick(5));
        std::uint32_t address = 0;
        switch (pick(5)) {
            case 0:
                address = bank_first(k) - pick(48);
                break;  // across the start
            case 1:
                address = bank_first(k) + 0x4000 - pick(48);
                break;  // across the end
            case 2:
                address = bank_first(k) + pick(0x4000);
                break;  // within or past
            case 3:
                address = 0x380000 + pick(0x60000);
                break;
            default:
                address = pick(0x10000);
                break;
        }
        const char type = address <= 0xFFFF && pick(2) == 0 ? '1' : pick(3) == 0 ? '3' : '2';
        std::string record = srec_line(type, address, data);
        switch (pick(30)) {
            case 0:
                record[record.size() - 3] ^= 1;
                break;  // checksum off
            case 1:
                record = "\r\n";
                break;  // blank line
            case 2:
                record = "S2" + std::string("Z1") + record.substr(4);
                break;
            case 3:
                record = "S0030000FC\r\n";
                break;
            default:
                break;
        }
        image += line(record);
    }
    if (pick(4) == 0) image += line("");
    if (pick(5) == 0 && image.size() > 2) image.resize(image.size() - eol.size());
    return image;
}

TEST(SpliceReferenceTest, OnePassGivesTheChainsBytes) {
    test::FirmwareWorkspace ws;
    ws.write_banks();
    std::mt19937 random(20261211);
    int produced = 0, compared = 0;
    for (int n = 0; n < 400; ++n) {
        const std::string image = generated_template(random);
        std::array<bool, 5> banks{};
        for (auto& b : banks) b = random() % 2 == 0;
        ws.write_template(image);
        std::filesystem::remove(ws.output());
        MessageRecorder messages;
        Progress progress;
        ProgressMeter meter(progress, {});
        ImagePatch patch{ws.template_file(), ws.context.project_dir, "New_Brax_Traslate.sx",
                         ws.bin(), banks};
        const PatchOutcome outcome = patch_image(patch, messages, meter);
        const ChainOutcome expected = chain(image, banks);
        ASSERT_EQ(outcome.produced, expected.produced) << "case " << n << "\n" << image;
        ++compared;
        if (!expected.produced) continue;
        ++produced;
        ASSERT_EQ(test::read_file(ws.output()), expected.image) << "case " << n << "\n" << image;
        ASSERT_EQ(outcome.no_record, expected.no_record) << "case " << n;
    }
    // The generator reaches both ends.
    EXPECT_GT(produced, 100);
    EXPECT_LT(produced, compared - 50);
}

}  // namespace
}  // namespace fenwarp
