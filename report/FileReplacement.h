// Files replaced whole or not at all: the new content goes into a temporary
// file beside the target, which is renamed over the target only when every
// write, flush and close has succeeded. A reader sees the old file or the
// new one, never half of either, and a failure leaves the old one as it was.
#pragma once

#include <string>
#include <string_view>

namespace ppspin {

class TFileReplacement {
  public:
    // Nothing is touched until Begin.
    explicit TFileReplacement(std::string target);
    // Removes the temporary file unless it was published.
    ~TFileReplacement();
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;

    // Checks that the target may be replaced (it is not a folder, and a file
    // already there is writable) and creates an empty temporary file beside
    // it. False when either fails; nothing is then left behind. A device or
    // a pipe (/dev/stdout) is not replaced but written directly.
    bool Begin();
    // The target as named, for messages.
    const std::string& Target() const { return target_; }
    // Where the content is written between Begin and Publish.
    const std::string& TemporaryPath() const { return temporary_; }

    // Renames the temporary file over the target, keeping the permissions of
    // a file it replaces. False with the system's reason when it fails; the
    // temporary file is then removed.
    bool Publish(std::string& reason);

  private:
    void Discard();

    std::string target_;
    std::string replaced_; // the file the rename replaces: the target, links followed
    std::string temporary_;
    bool direct_ = false;
};

// Replaces target with bytes, written, flushed and closed with every step
// checked. False when any step fails; target is then as it was.
bool ReplaceFileWith(const std::string& target, std::string_view bytes);

} // namespace ppspin
