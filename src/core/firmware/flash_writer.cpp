#include "core/firmware/flash_writer.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>

#include <vector>

extern char** environ;
#endif

namespace fenwarp {

std::string flash_writer_parameter(const std::filesystem::path& image, int port_index) {
    return "\"" + image.string() + "\"" + "\xC2\xB6" + std::to_string(port_index);
}

#ifdef _WIN32

bool start_detached(const std::filesystem::path& program, const std::string& argument) {
    std::wstring command =
        L"\"" + program.wstring() + L"\" " +
        std::filesystem::path(std::u8string(argument.begin(), argument.end())).wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

#else

namespace {

// The writers started so far and not yet seen to end. Each start reaps those
// that have ended, so finished writers do not pile up as zombies; the
// process-wide SIGCHLD handling is left as it is.
std::vector<pid_t>& started_children() {
    static std::vector<pid_t> children;
    return children;
}

void reap_ended_children() {
    auto& children = started_children();
    std::erase_if(children, [](pid_t pid) {
        int status = 0;
        return waitpid(pid, &status, WNOHANG) != 0;
    });
}

}  // namespace

bool start_detached(const std::filesystem::path& program, const std::string& argument) {
    reap_ended_children();
    std::string path = program.string();
    std::string text = argument;
    char* argv[] = {path.data(), text.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
    started_children().push_back(pid);
    return true;
}

#endif

}  // namespace fenwarp
