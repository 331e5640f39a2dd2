// Files replaced whole or not at all: the new content goes into a temporary
// file beside the target, which is renamed over the target only when every
// write, flush, sync to the disk and close has succeeded, and the folder is
// synced after the rename. A reader, even after a power cut, sees the old
// file or the new one, never half of either, and a failure leaves the old
// one as it was.
//
// A symbolic link is followed: the file it names, existing or not, is the
// one replaced, and the link stays. What is not a regular file (a device, a
// pipe, a socket, a terminal) cannot be replaced, only written: it is opened
// and written directly. So is a regular file reached through one of this
// process's descriptors (/dev/stdout redirected to a file): whoever opened
// the descriptor owns that file, and the content goes in at its offset.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace ppspin {

class TFileReplacement {
  public:
    // Nothing is touched until Begin.
    explicit TFileReplacement(std::string target);
    // Closes the content's file and removes a temporary file unless it was
    // published.
    ~TFileReplacement();
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;

    // Checks that the target may be written (it is not a folder, and a file
    // already there is writable) and creates an empty temporary file beside
    // it, open for writing. False when either fails; nothing is then left
    // behind. A target written directly is only checked here.
    bool Begin();
    // The target as named, for messages.
    const std::string& Target() const { return target_; }
    // Where the content goes between Begin and Publish: the temporary file,
    // whose name ends as the target's does for writers that choose a format
    // by the ending, or the target itself when it is written directly.
    const std::string& TemporaryPath() const { return temporary_; }
    // Whether, once begun, the target is written directly.
    bool Direct() const { return direct_; }

    // The content's file, open for writing between Begin and Complete; a
    // target written directly is opened on the first call. Null when it is
    // not begun or cannot be opened.
    std::FILE* File();
    // Writes bytes to File(); false when any of them is not written.
    bool Write(std::string_view bytes);
    // Flushes, syncs to the disk (a temporary file) and closes the content's
    // file. False with the system's reason when any of them fails; nothing
    // is published then or later.
    bool Complete(std::string& reason);
    // Completes the content, then renames the temporary file over the
    // target, keeping the permissions of a file it replaces, and its owner
    // and group where the process may give them, and syncs the folder.
    // False with the system's reason when it fails; the temporary file is
    // then removed. When only the folder's sync fails, the new content is
    // in place but may not survive a power cut.
    bool Publish(std::string& reason);

  private:
    // Notes the system's reason for the first failure.
    void Fail();
    void Discard();

    std::string target_;
    std::string replaced_; // the file the rename replaces: the target, links followed
    std::string temporary_;
    std::FILE* file_ = nullptr;
    int descriptor_ = -1; // this process's descriptor the target names, if any
    bool direct_ = false;
    bool begun_ = false;
    bool completed_ = false;
    bool failed_ = false; // a write or the completion failed: never published
    std::string failure_;
};

// Opens path for writing in place from its start, links followed: a file
// there is emptied, a missing one created, and a name of one of this
// process's descriptors (/dev/stdout) writes through that descriptor, at its
// offset. Null when it cannot be opened.
std::FILE* OpenInPlace(const std::string& path);

// Replaces target with bytes, written, flushed, synced and closed with every
// step checked, as TFileReplacement::Publish. False when any step fails;
// target is then as it was, unless only the sync of its folder failed.
bool ReplaceFileWith(const std::string& target, std::string_view bytes);

} // namespace ppspin
