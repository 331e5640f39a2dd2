#include "Plots.h"

#include "PictureBytes.h"
#include "PlotModule.h"

#include <atomic>
#include <filesystem>
#include <optional>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace ppspin::cli {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr const char* ModuleFile = "ppspin-plots.dll";
#else
constexpr const char* ModuleFile = "ppspin-plots.so";
#endif

// The module's entries, once loaded.
struct TModule {
    TPlotDraw Draw = nullptr;
    TPlotRelease Release = nullptr;
    TPlotRemoveTemporaries RemoveTemporaries = nullptr;
};
std::optional<TModule> Module;
// The same entry for the thread that takes signals, once the module is loaded.
std::atomic<TPlotRemoveTemporaries> RemoveModuleTemporaries = nullptr;

fs::path ExecutableFolder() {
#ifdef _WIN32
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return fs::path(std::wstring(buffer, n)).parent_path();
#else
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self.parent_path();
#endif
}

// The module's entries in the file at path; none unless it exports every
// one under this build's version.
std::optional<TModule> Open(const fs::path& path) {
#ifdef _WIN32
    HMODULE handle = LoadLibraryW(path.c_str());
    const auto find = [&](const char* name) {
        return handle ? reinterpret_cast<void*>(GetProcAddress(handle, name)) : nullptr;
    };
#else
    // Never closed: Qt's threads and exit handlers live in it until the end.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    const auto find = [&](const char* name) { return handle ? dlsym(handle, name) : nullptr; };
#endif
    void* draw = find(PlotDrawEntry);
    void* release = find(PlotReleaseEntry);
    void* remove = find(PlotRemoveTemporariesEntry);
    if (draw == nullptr || release == nullptr || remove == nullptr)
        return std::nullopt;
    return TModule{reinterpret_cast<TPlotDraw>(draw), reinterpret_cast<TPlotRelease>(release),
                   reinterpret_cast<TPlotRemoveTemporaries>(remove)};
}

// The picture of bytes drawn by the module, loaded first if need be.
bool Draw(const TPictureBytes& bytes, const std::string& path, TPlotSize size, std::string& error) {
    if (!Module && !LoadPlots(error))
        return false;
    std::string text(PlotErrorSize, '\0');
    if (Module->Draw(bytes.data(), bytes.size(), path.c_str(), size.Width, size.Height, text.data(),
                     text.size()) != 0)
        return true;
    text.resize(text.find('\0'));
    error = std::move(text);
    return false;
}

} // namespace

bool LoadPlots(std::string& error) {
    if (Module)
        return true;
    // Beside the executable in the build tree; in the library folder once
    // installed.
    const fs::path folder = ExecutableFolder();
    const fs::path places[] = {folder / ModuleFile,
                               (folder / PPSPIN_PLOT_MODULE_DIR / ModuleFile).lexically_normal()};
    std::string looked;
    for (const fs::path& place : places) {
        if (!fs::exists(place)) {
            looked += (looked.empty() ? "" : ", ") + place.string();
            continue;
        }
        Module = Open(place);
        if (!Module) {
            error = "Pictures are not available: " + place.string() +
                    " is not this program's plot module";
            return false;
        }
        RemoveModuleTemporaries = Module->RemoveTemporaries;
        return true;
    }
    error = "Pictures are not available: the plot module " + std::string(ModuleFile) +
            " is not installed (looked for " + looked + ")";
    return false;
}

bool PlotProfile(const TProfilePicture& picture, const std::string& path, TPlotSize size,
                 std::string& error) {
    return Draw(EncodePicture(picture), path, size, error);
}

bool PlotResiduals(const TResidualPlot& plot, const std::string& path, TPlotSize size,
                   std::string& error) {
    return Draw(EncodePicture(plot), path, size, error);
}

bool PlotSummary(const TSummaryPlot& plot, const std::string& path, TPlotSize size,
                 std::string& error) {
    return Draw(EncodePicture(plot), path, size, error);
}

bool PlotGridMaps(const TGridMaps& maps, const std::string& path, TPlotSize size,
                  std::string& error) {
    return Draw(EncodePicture(maps), path, size, error);
}

bool PlotTornado(const TTornado& tornado, const std::string& path, TPlotSize size,
                 std::string& error) {
    return Draw(EncodePicture(tornado), path, size, error);
}

void RemovePlotTemporaries() {
    if (const TPlotRemoveTemporaries remove = RemoveModuleTemporaries)
        remove();
}

void ReleasePlots() {
    if (Module)
        Module->Release();
}

} // namespace ppspin::cli
