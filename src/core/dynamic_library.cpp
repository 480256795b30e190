#include "core/dynamic_library.h"

#include <utility>

#include "core/error.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace fenwarp {

DynamicLibrary::DynamicLibrary(std::string soname, std::string purpose)
    : soname_(std::move(soname)), purpose_(std::move(purpose)) {}

void* DynamicLibrary::symbol(const char* name) {
    std::call_once(loaded_, [this] {
#ifdef _WIN32
        handle_ = static_cast<void*>(::LoadLibraryA(soname_.c_str()));
        if (handle_ == nullptr) load_error_ = "it cannot be loaded";
#else
        handle_ = ::dlopen(soname_.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle_ == nullptr) load_error_ = ::dlerror();
#endif
    });
    if (handle_ == nullptr) throw Error(purpose_ + " needs " + soname_ + ": " + load_error_);
#ifdef _WIN32
    void* found = reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
    void* found = ::dlsym(handle_, name);
#endif
    if (found == nullptr) {
        throw Error(purpose_ + " needs " + soname_ + ", which lacks " + std::string(name));
    }
    return found;
}

}  // namespace fenwarp
