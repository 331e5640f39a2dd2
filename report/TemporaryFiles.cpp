#include "TemporaryFiles.h"

#include <cstdio>
#include <mutex>
#include <set>

namespace ppspin {

namespace {

// Never destroyed: a signal may come while the exit handlers run.
struct TNoted {
    std::mutex Lock;
    std::set<std::string> Paths;
};

TNoted& Noted() {
    static auto* noted = new TNoted;
    return *noted;
}

} // namespace

bool CreateTemporaryFile(const std::string& path, const std::function<bool()>& create) {
    TNoted& noted = Noted();
    const std::lock_guard hold(noted.Lock);
    if (!create())
        return false;
    noted.Paths.insert(path);
    return true;
}

void SettleTemporaryFile(const std::string& path, const std::function<void()>& settle) {
    TNoted& noted = Noted();
    const std::lock_guard hold(noted.Lock);
    settle();
    noted.Paths.erase(path);
}

void RemoveTemporaryFiles() {
    TNoted& noted = Noted();
    noted.Lock.lock(); // for good
    for (const std::string& path : noted.Paths)
        std::remove(path.c_str());
}

} // namespace ppspin
