#include "FileReplacement.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace ppspin {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::size_t Entries(const TempDir& dir) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.Path()), {}));
}

TEST(FileReplacement, AnUnpublishedReplacementLeavesNoTrace) {
    TempDir dir;
    const std::string path = dir.File("r.txt");
    WriteFile(path, "old");
    {
        TFileReplacement replacement(path);
        ASSERT_TRUE(replacement.Begin());
        EXPECT_EQ(fs::path(replacement.TemporaryPath()).parent_path(), dir.Path());
        WriteFile(replacement.TemporaryPath(), "half of the new");
    }
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(Entries(dir), 1u);
}

TEST(FileReplacement, ReplacesWholeKeepingPermissionsAndLinks) {
    TempDir dir;
    const std::string path = dir.File("r.txt"), link = dir.File("link.txt");
    WriteFile(path, "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(path, link);
    ASSERT_TRUE(ReplaceFileWith(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(ReplaceFileWith(dir.File("fresh.txt"), ""));
    EXPECT_EQ(Entries(dir), 3u);
}

TEST(FileReplacement, RefusesWhatItMayNotReplace) {
    TempDir dir;
    std::vector<std::string> refused = {dir.Path().string(), dir.File("missing/r.txt")};
    if (fs::exists("/proc/version"))
        refused.push_back("/proc/version"); // read-only even for root
    const std::string locked = dir.File("locked.txt");
    WriteFile(locked, "old");
    fs::permissions(locked, fs::perms::owner_read);
    if (geteuid() != 0) // root may write anything here
        refused.push_back(locked);
    for (const std::string& target : refused) {
        TFileReplacement replacement(target);
        EXPECT_FALSE(replacement.Begin()) << target;
        EXPECT_FALSE(ReplaceFileWith(target, "new")) << target;
    }
    EXPECT_EQ(Entries(dir), 1u);
}

// The rename is the last step that can fail: when it does, the caller hears
// why, and neither the temporary file nor a changed target is left.
TEST(FileReplacement, AFailedRenameLeavesTheTargetAndNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.File("r.txt");
    TFileReplacement replacement(path);
    ASSERT_TRUE(replacement.Begin());
    WriteFile(replacement.TemporaryPath(), "new");
    // A folder takes the target's place before the rename: no file may
    // be renamed over it, whoever runs the test.
    fs::create_directory(path);
    WriteFile(dir.File("r.txt/inside.txt"), "kept");
    std::string reason;
    EXPECT_FALSE(replacement.Publish(reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(ReadBytes(dir.File("r.txt/inside.txt")), "kept");
    EXPECT_EQ(Entries(dir), 1u);
}

} // namespace
} // namespace ppspin
