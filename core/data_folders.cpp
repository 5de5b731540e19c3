// SPDX-License-Identifier: MIT
#include "core/data_folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "bank/data_module.h"
#include "bank/error.h"

namespace zuvo {
namespace {

namespace fs = std::filesystem;

std::string asFolder(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

// The XDG rule: a base folder given as a relative path is no base folder at all.
bool usable(const std::string& base) { return !base.empty() && base.front() == '/'; }

// A learner's base folder: the XDG variable if usable, else the default under HOME; empty when neither is.
std::string baseFolder(const std::string& xdg, const std::string& home, const char* underHome) {
    if (usable(xdg)) return asFolder(xdg);
    if (usable(home)) return asFolder(home) + underHome;
    return {};
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string installedBankPath(const std::string& programDir) {
    return (fs::path(programDir) / kInstalledBankFolder / kBankFileName).lexically_normal().string();
}

bool regularFile(const std::string& path) {
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

std::string reason() { return std::strerror(errno); }

// A file descriptor closed with its owner.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool copyAll(int from, int to) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer + done, static_cast<size_t>(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put < 0) return false;
            done += put;
        }
    }
}

// Puts the finished temporary file at target unless something is there already. A hard link cannot replace a file;
// a file system without hard links gets a rename after a look, which another start could only race with by
// writing the same bundled bank.
bool placeWithoutReplacing(const std::string& temporary, const std::string& target) {
    if (::link(temporary.c_str(), target.c_str()) == 0 || errno == EEXIST) return true;
    if (errno != EPERM && errno != ENOTSUP && errno != EXDEV && errno != EMLINK) return false;
    if (regularFile(target)) return true;
    return std::rename(temporary.c_str(), target.c_str()) == 0;
}

void syncFolder(const std::string& folder) {
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Only for durability across a power cut; a folder that refuses fsync still holds the file.
    if (dir.get() >= 0) ::fsync(dir.get());
}

void createFolder(const std::string& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) throw Error("无法建立文件夹 " + folder + "：" + error.message());
}

void copyBank(const std::string& bundled, const std::string& folder) {
    const std::string target = folder + kBankFileName;
    std::error_code error;
    if (fs::exists(fs::symlink_status(target, error))) return;

    Fd from(::open(bundled.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (from.get() < 0 || ::fstat(from.get(), &info) != 0) {
        throw Error("无法读取随程序安装的题库 " + bundled + "：" + reason());
    }
    if (!S_ISREG(info.st_mode)) throw Error("无法读取随程序安装的题库 " + bundled + "：不是文件");

    std::string temporary = target + ".XXXXXX";
    Fd to(::mkstemp(temporary.data()));
    if (to.get() < 0) throw Error("无法在 " + folder + " 写入题库：" + reason());
    // Whatever goes wrong from here on, no partial copy stays behind.
    struct Remover {
        const std::string& path;
        ~Remover() { ::unlink(path.c_str()); }
    } remover{temporary};

    const bool copied = copyAll(from.get(), to.get()) && ::fchmod(to.get(), 0644) == 0 && ::fsync(to.get()) == 0;
    const int copyError = errno;
    const bool closed = to.close();
    if (!copied || !closed) {
        if (!copied) errno = copyError;
        throw Error("无法写入题库 " + target + "：" + reason());
    }
    if (!placeWithoutReplacing(temporary, target)) throw Error("无法写入题库 " + target + "：" + reason());
    syncFolder(folder);
}

}  // namespace

DataFolders chooseDataFolders(const FolderFacts& facts) {
    const std::string programDir = asFolder(facts.programDir);
    if (facts.programDirWritable && (facts.bankBesideProgram || !facts.installedBank)) {
        return {programDir, programDir, {}};
    }
    const std::string data = baseFolder(facts.xdgDataHome, facts.home, ".local/share/");
    if (data.empty()) {
        throw Error("无法确定存放题库的文件夹：环境变量 HOME 和 XDG_DATA_HOME 都没有设置为绝对路径。");
    }
    const std::string cache = baseFolder(facts.xdgCacheHome, facts.home, ".cache/");
    DataFolders folders;
    folders.data = data + "zuvo/";
    // Without a cache folder the banners share the data folder: it is the one place known to be the learner's.
    folders.cache = cache.empty() ? folders.data : cache + "zuvo/";
    folders.bundledBank = facts.bankBesideProgram ? programDir + kBankFileName : installedBankPath(facts.programDir);
    return folders;
}

FolderFacts readFolderFacts(const std::string& programDir) {
    FolderFacts facts;
    facts.programDir = programDir;
    facts.programDirWritable = ::access(programDir.c_str(), W_OK) == 0;
    facts.bankBesideProgram = regularFile(asFolder(programDir) + kBankFileName);
    facts.installedBank = regularFile(installedBankPath(programDir));
    facts.xdgDataHome = environment("XDG_DATA_HOME");
    facts.xdgCacheHome = environment("XDG_CACHE_HOME");
    facts.home = environment("HOME");
    return facts;
}

void prepareDataFolders(const DataFolders& folders) {
    if (folders.bundledBank.empty()) return;
    createFolder(folders.data);
    copyBank(folders.bundledBank, folders.data);
    // Banners are a nicety: without their folder the worker simply stores none.
    std::error_code ignored;
    fs::create_directories(folders.cache, ignored);
}

}  // namespace zuvo
