#include "FileReplacement.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <thread>
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

// A file given to another user and group stays theirs when the process
// may give it (root writing a user's file).
TEST(FileReplacement, KeepsTheOwnerAndGroupWhereAllowed) {
    TempDir dir;
    const std::string path = dir.File("r.txt");
    WriteFile(path, "old");
    const uid_t uid = geteuid() + 4242;
    const gid_t gid = getegid() + 4343;
    if (chown(path.c_str(), uid, gid) != 0)
        GTEST_SKIP() << "this process may not give a file away";
    ASSERT_TRUE(ReplaceFileWith(path, "new"));
    struct stat replaced {};
    ASSERT_EQ(stat(path.c_str(), &replaced), 0);
    EXPECT_EQ(replaced.st_uid, uid);
    EXPECT_EQ(replaced.st_gid, gid);
    EXPECT_EQ(ReadBytes(path), "new");
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

// Whatever way a name leads to its file, that file gets the content and
// the name stays as it was: links are kept, dangling or not, and a name up
// to the file system's limit needs no longer one for its temporary file.
TEST(FileReplacement, ReplacesTheFileANameLeadsTo) {
    TempDir dir;
    fs::create_directory(dir.Path() / "sub");
    const std::string longName = std::string(251, 'n') + ".txt";
    const std::pair<const char*, std::string> links[] = {
        {"absolute.txt", dir.File("sub/absolute.txt")},
        {"relative.txt", "sub/relative.txt"}, // from the link's folder
        {"sub/up.txt", "../up.txt"},
        {"chain.txt", dir.File("dangling.txt")},
        {"dangling.txt", "sub/chained.txt"},
    };
    for (const auto& [link, to] : links)
        fs::create_symlink(to, dir.File(link));
    const struct {
        std::string name, file; // the name given, the file it leads to
    } cases[] = {
        {longName, longName},
        {"absolute.txt", "sub/absolute.txt"},
        {"relative.txt", "sub/relative.txt"},
        {"sub/up.txt", "up.txt"},
        {"chain.txt", "sub/chained.txt"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(ReplaceFileWith(dir.File(c.name), "new " + c.name)) << c.name;
        EXPECT_EQ(ReadBytes(dir.File(c.file)), "new " + c.name) << c.name;
        EXPECT_EQ(fs::is_symlink(dir.File(c.name)), c.name != c.file) << c.name;
    }
    EXPECT_EQ(Entries(dir), std::size(links) + 2); // the links, sub/ and the long name
}

// What is no regular file is written in place, never renamed over: a pipe
// or a FIFO through its own stream, and a regular file reached through one
// of this process's descriptors (stdout redirected to it) at that
// descriptor's offset, so that what is written there later follows it.
TEST(FileReplacement, WritesWhatIsNoRegularFileInPlace) {
    TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const int file = open(dir.File("stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(file, 0);
    ASSERT_EQ(write(file, "before|", 7), 7);
    struct stat before {};
    fstat(file, &before);

    const auto descriptor = [](int fd) { return "/dev/fd/" + std::to_string(fd); };
    std::string fromFifo;
    std::thread reader([&] { fromFifo = ReadBytes(fifo); });
    // Header and rows as a report comes: one stream, flushed between.
    const auto replace = [](const std::string& target) {
        TFileReplacement r(target);
        std::string reason;
        const bool ok = r.Begin() && r.Write("header|") && std::fflush(r.File()) == 0 &&
                        r.Write("rows") && r.Publish(reason);
        return ok && reason.empty();
    };
    EXPECT_TRUE(replace(fifo));
    reader.join();
    EXPECT_EQ(fromFifo, "header|rows");
    EXPECT_TRUE(replace(descriptor(pipeEnds[1])));
    close(pipeEnds[1]);
    char got[32] = {};
    EXPECT_EQ(read(pipeEnds[0], got, sizeof got), 11);
    EXPECT_STREQ(got, "header|rows");
    close(pipeEnds[0]);
    EXPECT_TRUE(replace(descriptor(file)));
    ASSERT_EQ(write(file, "|after", 6), 6);
    struct stat after {};
    fstat(file, &after);
    close(file);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(ReadBytes(dir.File("stdout.txt")), "before|header|rows|after");
    EXPECT_EQ(Entries(dir), 2u);
}

} // namespace
} // namespace ppspin
