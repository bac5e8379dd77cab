#pragma once
// Switches the C library's locale to German, whose numbers carry a decimal comma ("7,5"), as
// the toolkit does at start-up under a German desktop. The locale is compiled once with
// localedef into the build folder and found through LOCPATH, so the machine need not have it
// installed; the locale sources come with the Debian package "locales".

#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace velmora::test {

class CommaLocale {
public:
    static constexpr const char* kName = "de_DE.UTF-8";

    CommaLocale() {
        const std::filesystem::path folder = std::filesystem::path(VELMORA_BUILD_DIR) / "locales";
        if (!Compile(folder)) {
            return;
        }
        if (const char* old = std::getenv("LOCPATH")) {
            oldLocPath_ = old;
        }
        oldLocale_ = std::setlocale(LC_ALL, nullptr);
        setenv("LOCPATH", folder.c_str(), 1);
        active_ = std::setlocale(LC_ALL, kName) != nullptr &&
                  std::string(std::localeconv()->decimal_point) == ",";
        if (!active_) {
            error_ =
                std::string("setlocale(") + kName + ") found no comma locale in " + folder.string();
            Restore();
        }
    }
    ~CommaLocale() { Restore(); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool Active() const { return active_; }
    const std::string& Error() const { return error_; }

private:
    // Tests run side by side: each compiles into a folder of its own and moves the result into
    // place in one step; the first to get there wins.
    bool Compile(const std::filesystem::path& folder) {
        const std::filesystem::path numeric = folder / kName / "LC_NUMERIC";
        std::error_code ec;
        int status = 0;
        if (!std::filesystem::exists(numeric, ec)) {
            std::filesystem::create_directories(folder, ec);
            std::string scratch = (folder / "making.XXXXXX").string();
            if (mkdtemp(scratch.data()) != nullptr) {
                const std::filesystem::path made = std::filesystem::path(scratch) / kName;
                const std::string command =
                    "localedef -i de_DE -f UTF-8 '" + made.string() + "' >/dev/null 2>&1";
                status = std::system(command.c_str());
                std::filesystem::rename(made, folder / kName, ec);
                std::filesystem::remove_all(scratch, ec);
            }
        }
        if (!std::filesystem::exists(numeric, ec)) {
            error_ = "localedef made no " + std::string(kName) + " in " + folder.string() +
                     " (status " + std::to_string(status) +
                     "); is the Debian package \"locales\" installed?";
            return false;
        }
        return true;
    }

    void Restore() {
        if (oldLocale_) {
            oldLocPath_ ? setenv("LOCPATH", oldLocPath_->c_str(), 1) : unsetenv("LOCPATH");
            std::setlocale(LC_ALL, oldLocale_->c_str());
            oldLocale_.reset();
            active_ = false;
        }
    }

    bool active_ = false;
    std::string error_;
    std::optional<std::string> oldLocale_, oldLocPath_;
};

}  // namespace velmora::test
