// Loads a vessel module file and resolves the exports the host calls.
#pragma once

#include <memory>
#include <string>

#include "orbiter_api.h"

namespace standin {

class LoadedModule {
public:
    using InitFunction = VESSEL* (*)(OBJHANDLE, int);
    using ExitFunction = void (*)(VESSEL*);
    using DateFunction = const char* (*)();
    using VersionFunction = int (*)();

    // Null, with a message naming the file and what failed, when the file is
    // missing, will not load or lacks one of the four exports.
    static std::unique_ptr<LoadedModule> load(const std::string& path, std::string* error);
    ~LoadedModule();  // unloads
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    const std::string& path() const { return path_; }
    // The handle the platform's loader issued for the module.
    HINSTANCE handle() const { return handle_; }

    InitFunction ovcInit = nullptr;
    ExitFunction ovcExit = nullptr;
    DateFunction ModuleDate = nullptr;
    VersionFunction GetModuleVersion = nullptr;

private:
    LoadedModule(std::string path, HINSTANCE handle) : path_(std::move(path)), handle_(handle) {}
    std::string path_;
    HINSTANCE handle_;
};

// True while the file is mapped into the process: it has been loaded and
// not, or not yet, unloaded.
bool isModuleResident(const std::string& path);

}  // namespace standin
