#include "backup/type_filter.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(TypeFilter, SelectsByExtensionInEachMode) {
    const TypeFilter only = BuildTypeFilter(TypeMode::OnlyListed, {".doc"}, {".bak"});
    const TypeFilter skip = BuildTypeFilter(TypeMode::AllButListed, {".doc"}, {".bak", "\\bak"});
    const TypeFilter all = BuildTypeFilter(TypeMode::AllFiles, {".doc"}, {".bak"});
    struct Case {
        const char* path;
        bool only, skip, all;
    };
    const Case cases[] = {
        {"/d/a.doc", true, true, true},  {"/d/B.DoC", true, true, true},
        {"/d/c.txt", false, true, true}, {"/d/x.bak", false, false, true},
        {"/d/bak", false, true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(only.selectsFile(c.path), c.only) << c.path;
        EXPECT_EQ(skip.selectsFile(c.path), c.skip) << c.path;
        EXPECT_EQ(all.selectsFile(c.path), c.all) << c.path;
    }
}

TEST(TypeFilter, SkipsFoldersNamedWithABackslashOnlyInTheSkipMode) {
    const TypeFilter skip = BuildTypeFilter(TypeMode::AllButListed, {}, {"\\bak", "tmp\\", "old"});
    EXPECT_TRUE(skip.skipsFolder("bak"));
    EXPECT_TRUE(skip.skipsFolder("Bak"));
    EXPECT_FALSE(skip.skipsFolder("tmp"));
    EXPECT_FALSE(skip.skipsFolder("old"));
    EXPECT_FALSE(skip.skipsFolder("bak2"));
    for (TypeMode mode : {TypeMode::AllFiles, TypeMode::OnlyListed}) {
        EXPECT_FALSE(BuildTypeFilter(mode, {"\\bak"}, {"\\bak"}).skipsFolder("bak"));
    }
}

}  // namespace
}  // namespace tarnwick
