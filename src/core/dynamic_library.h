#pragma once

#include <mutex>
#include <string>

namespace fenwarp {

// A shared library loaded the first time one of its functions is called
// rather than at start-up: the loader's work for a library the run never
// uses (reading workbooks, writing them) would otherwise delay every start
// of the command line tool, a firmware update included.
class DynamicLibrary {
  public:
    // `soname` as the loader looks it up ("libzip.so.4"); `purpose` says in
    // an error what the library was needed for.
    DynamicLibrary(std::string soname, std::string purpose);
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // The address of the function `name`, loading the library when needed.
    // Throws Error naming the library and the reason when it is missing or
    // lacks the function.
    void* symbol(const char* name);

  private:
    std::string soname_;
    std::string purpose_;
    std::once_flag loaded_;
    void* handle_ = nullptr;
    std::string load_error_;
};

}  // namespace fenwarp
