#include "app/program/DemoCameraLoader.h"

#include "app/program/DemoCameraModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

std::vector<std::string> DemoCameraLoader::Candidates(const std::string& executable)
{
    const std::filesystem::path folder = std::filesystem::path(executable).parent_path();
    // INKVEIL_DEMO_LIBRARY_FROM_BINDIR is the library's folder as the
    // installation lays it out, relative to the executable's (or absolute
    // when the library folder was configured absolute).
    return {
        (folder / kDemoCameraLibrary).string(),
        (folder / INKVEIL_DEMO_LIBRARY_FROM_BINDIR / kDemoCameraLibrary).lexically_normal().string(),
    };
}

std::unique_ptr<DemoCameraLoader> DemoCameraLoader::Load(const std::string& kind, std::string& whyNot)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        whyNot = "cannot tell where the program is (/proc/self/exe: " + error.message() + ")";
        return nullptr;
    }
    whyNot.clear();
    for (const std::string& path : Candidates(self.string())) {
        if (!std::filesystem::exists(path, error)) {
            whyNot += (whyNot.empty() ? "" : "; ") + path + ": not there";
            continue;
        }
        // The library stays mapped until the process ends (RTLD_NODELETE):
        // nothing run after the program could then call into code gone.
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (!handle) {
            const char* reason = dlerror();
            whyNot += (whyNot.empty() ? "" : "; ") + std::string(reason ? reason : path + ": cannot be loaded");
            continue;
        }
        auto create = reinterpret_cast<InkveilDemoCameraCreate>(dlsym(handle, kDemoCameraCreate));
        auto destroy = reinterpret_cast<InkveilDemoCameraDestroy>(dlsym(handle, kDemoCameraDestroy));
        v4l2::DeviceSystem* system = create && destroy ? create(kind.c_str()) : nullptr;
        if (!system) {
            whyNot += (whyNot.empty() ? "" : "; ") + path
                + (create && destroy ? ": no emulated camera of the kind \"" + kind + "\""
                                     : ": not the emulated camera's library");
            dlclose(handle);
            continue;
        }
        whyNot.clear();
        return std::unique_ptr<DemoCameraLoader>(new DemoCameraLoader(handle, system, destroy, path));
    }
    return nullptr;
}

DemoCameraLoader::DemoCameraLoader(void* handle, v4l2::DeviceSystem* system, Destroy destroy, std::string path)
    : handle_(handle)
    , system_(system)
    , destroy_(destroy)
    , path_(std::move(path))
{
}

DemoCameraLoader::~DemoCameraLoader()
{
    destroy_(system_);
    dlclose(handle_);
}
