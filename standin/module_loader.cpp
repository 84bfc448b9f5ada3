#include "module_loader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace standin {
namespace {

#if defined(_WIN32)
HINSTANCE openModule(const std::string& path, std::string* why) {
    HINSTANCE handle = LoadLibraryA(path.c_str());
    if (!handle) *why = "Windows error " + std::to_string(GetLastError());
    return handle;
}
void* findSymbol(HINSTANCE handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(handle, name));
}
void closeModule(HINSTANCE handle) { FreeLibrary(handle); }
#else
HINSTANCE openModule(const std::string& path, std::string* why) {
    // RTLD_LOCAL keeps one module's symbols from answering another's lookups.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) *why = dlerror();
    return handle;
}
void* findSymbol(HINSTANCE handle, const char* name) { return dlsym(handle, name); }
void closeModule(HINSTANCE handle) { dlclose(handle); }
#endif

template <typename Function>
bool resolve(HINSTANCE handle, const char* name, Function* function) {
    void* symbol = findSymbol(handle, name);
    *function = reinterpret_cast<Function>(symbol);
    return symbol != nullptr;
}

}  // namespace

std::unique_ptr<LoadedModule> LoadedModule::load(const std::string& path, std::string* error) {
    std::string why;
    HINSTANCE handle = openModule(path, &why);
    if (!handle) {
        if (error) *error = "cannot load module '" + path + "': " + why;
        return nullptr;
    }
    std::unique_ptr<LoadedModule> module(new LoadedModule(path, handle));
    const char* missing = nullptr;
    if (!resolve(handle, "ovcInit", &module->ovcInit)) missing = "ovcInit";
    else if (!resolve(handle, "ovcExit", &module->ovcExit)) missing = "ovcExit";
    else if (!resolve(handle, "ModuleDate", &module->ModuleDate)) missing = "ModuleDate";
    else if (!resolve(handle, "GetModuleVersion", &module->GetModuleVersion))
        missing = "GetModuleVersion";
    if (missing) {
        if (error) *error = "module '" + path + "' lacks the export '" + missing + "'";
        return nullptr;  // unloads
    }
    return module;
}

LoadedModule::~LoadedModule() { closeModule(handle_); }

bool isModuleResident(const std::string& path) {
#if defined(_WIN32)
    return GetModuleHandleA(path.c_str()) != nullptr;
#else
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle != nullptr;
#endif
}

}  // namespace standin
