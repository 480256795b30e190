#include "core/dynamic_library.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace fenwarp {
namespace {

TEST(DynamicLibraryTest, LoadsOnFirstUseAndNamesWhatIsMissing) {
    DynamicLibrary math("libm.so.6", "Testing");
    auto* cosine = reinterpret_cast<double (*)(double)>(math.symbol("cos"));
    EXPECT_EQ(cosine(0.0), 1.0);
    try {
        math.symbol("no_such_function");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Testing needs libm.so.6, which lacks no_such_function");
    }
    DynamicLibrary missing("libfenwarp-missing.so.9", "Reading .xlsx workbooks");
    for (int twice = 0; twice < 2; ++twice) {
        try {
            missing.symbol("f");
            FAIL();
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(
                          "Reading .xlsx workbooks needs libfenwarp-missing.so.9: ", 0),
                      0u)
                << e.what();
        }
    }
}

}  // namespace
}  // namespace fenwarp
