// The patched image checked with Debian's srecord tools, which read S-records
// independently of this code: outside the bank ranges it must equal the
// template, inside them the bank files.
#include <gtest/gtest.h>

#include <cstdlib>

#include "../fixtures/firmware_images.h"
#include "core/firmware/firmware_editor.h"

namespace fenwarp {
namespace {

using test::filled;
using test::srec_line;

bool srecord_installed() {
    return std::filesystem::exists("/usr/bin/srec_cat") &&
           std::filesystem::exists("/usr/bin/srec_cmp");
}

std::string quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

// Records all through 0x380000..0x3B0000, of several lengths, so both bank
// ranges are partly and wholly covered, plus the small template's own lines.
std::string wide_template() {
    std::string image = "S00F000068656C6C6F202020202000003C\r\n";
    image += srec_line('1', 0x0100, filled(16, 0xA5));
    for (std::uint32_t a = 0x380000; a < 0x3B0000; a += 48) {
        std::vector<std::uint8_t> data(a % 96 == 0 ? 48 : 24);
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<std::uint8_t>(a / 48 + i);
        image += srec_line(a % 5 == 0 ? '3' : '2', a, data);
    }
    return image + "S804000000FB\r\n";
}

TEST(SrecToolTest, PatchedImageMatchesTemplateAndBanks) {
    if (!srecord_installed()) GTEST_SKIP() << "srecord (srec_cat, srec_cmp) is not installed";
    test::FirmwareWorkspace ws;
    ws.write_template(wide_template());
    ws.write_banks();
    FirmwareEditor editor;
    MessageRecorder messages;
    editor.show(ws.context, messages);
    ASSERT_TRUE(editor.patch(messages));

    const auto expected = ws.dir / "expected.sx";
    const std::string cat = "srec_cat " + quoted(ws.template_file()) +
                            " -exclude 0x388000 0x38C000 -exclude 0x398000 0x39C000 " +
                            quoted(ws.bin() / "bank1.bin") + " -binary -offset 0x388000 " +
                            quoted(ws.bin() / "bank2.bin") + " -binary -offset 0x398000 -o " +
                            quoted(expected);
    ASSERT_EQ(std::system(cat.c_str()), 0) << cat;
    const std::string cmp = "srec_cmp " + quoted(ws.output()) + " " + quoted(expected);
    EXPECT_EQ(std::system(cmp.c_str()), 0) << cmp;
    // And the check sees a difference when there is one.
    const std::string other = "srec_cmp " + quoted(ws.output()) + " " + quoted(ws.template_file());
    EXPECT_NE(std::system((other + " 2>/dev/null").c_str()), 0);
}

}  // namespace
}  // namespace fenwarp
