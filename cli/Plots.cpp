#include "Plots.h"

#include "PlotModule.h"

#include <filesystem>
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

const TPlotModule* Module = nullptr;

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

// The module's entry in the file at path, or null.
const TPlotModule* Open(const fs::path& path) {
#ifdef _WIN32
    HMODULE handle = LoadLibraryW(path.c_str());
    void* entry =
        handle ? reinterpret_cast<void*>(GetProcAddress(handle, PlotModuleEntry)) : nullptr;
#else
    // Never closed: Qt's threads and exit handlers live in it until the end.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* entry = handle ? dlsym(handle, PlotModuleEntry) : nullptr;
#endif
    if (entry == nullptr)
        return nullptr;
    return reinterpret_cast<decltype(&ppspin_plot_module)>(entry)();
}

TPlotModule const* Loaded(std::string& error) {
    if (Module == nullptr && !LoadPlots(error))
        return nullptr;
    return Module;
}

} // namespace

bool LoadPlots(std::string& error) {
    if (Module != nullptr)
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
        const TPlotModule* module = Open(place);
        if (module == nullptr || module->Version != PlotModuleVersion) {
            error = "Pictures are not available: " + place.string() +
                    " is not this program's plot module";
            return false;
        }
        Module = module;
        return true;
    }
    error = "Pictures are not available: the plot module " + std::string(ModuleFile) +
            " is not installed (looked for " + looked + ")";
    return false;
}

bool PlotProfile(const TProfilePicture& picture, const std::string& path, TPlotSize size,
                 std::string& error) {
    const TPlotModule* module = Loaded(error);
    return module && module->Profile(picture, path, size.Width, size.Height, error);
}

bool PlotResiduals(const TResidualPlot& plot, const std::string& path, TPlotSize size,
                   std::string& error) {
    const TPlotModule* module = Loaded(error);
    return module && module->Residuals(plot, path, size.Width, size.Height, error);
}

bool PlotSummary(const TSummaryPlot& plot, const std::string& path, TPlotSize size,
                 std::string& error) {
    const TPlotModule* module = Loaded(error);
    return module && module->Summary(plot, path, size.Width, size.Height, error);
}

bool PlotGridMaps(const TGridMaps& maps, const std::string& path, TPlotSize size,
                  std::string& error) {
    const TPlotModule* module = Loaded(error);
    return module && module->GridMaps(maps, path, size.Width, size.Height, error);
}

bool PlotTornado(const TTornado& tornado, const std::string& path, TPlotSize size,
                 std::string& error) {
    const TPlotModule* module = Loaded(error);
    return module && module->Tornado(tornado, path, size.Width, size.Height, error);
}

void ReleasePlots() {
    if (Module != nullptr)
        Module->Release();
}

} // namespace ppspin::cli
