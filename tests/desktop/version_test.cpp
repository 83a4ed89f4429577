#include <gtest/gtest.h>

#include "desktop/programversion.h"

namespace vex {
namespace {

TEST(FileVersionTextTest, ComponentCounts) {
    struct Case {
        std::optional<FileVersion> version;
        int count;
        const char* expected;
    };
    const FileVersion current{5, 16, 0, 165};
    const FileVersion first{1, 0, 0, 0};
    const FileVersion wide{65535, 7, 10, 9};
    const Case cases[] = {
        {current, 1, "5"},
        {current, 2, "5.16"},
        {current, 3, "5.16.0"},
        {current, 4, "5.16.0.165"},
        {current, 5, "165"},
        {first, 2, "1.0"},
        {first, 3, "1.0.0"},
        {first, 5, "0"},
        {wide, 4, "65535.7.10.9"},
        {current, 0, ""},
        {current, 6, ""},
        {std::nullopt, 2, "(not declared)"},
        {std::nullopt, 3, "(not declared)"},
        {std::nullopt, 5, "(not declared)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileVersionText(c.count, c.version), QString::fromUtf8(c.expected))
            << "count " << c.count;
    }
}

TEST(FileVersionTextTest, CompiledVersionIsTheProjectVersion) {
    ASSERT_TRUE(CompiledFileVersion().has_value());
    EXPECT_EQ(*CompiledFileVersion(), (FileVersion{5, 16, 0, 165}));
    EXPECT_EQ(FileVersionText(4), QStringLiteral("5.16.0.165"));
}

}  // namespace
}  // namespace vex
