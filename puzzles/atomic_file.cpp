#include "puzzles/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace tavrin {

namespace {

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

// Closes the descriptor and removes the temporary file unless released.
class TempFile {
public:
    TempFile(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
    ~TempFile()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!kept_) {
            ::unlink(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }

    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void keep() { kept_ = true; }

private:
    int fd_;
    std::filesystem::path path_;
    bool kept_ = false;
};

// The file a save replaces: a symbolic link is followed to the file it names
// (through further links too), so the link stays and its target gets the new
// bytes. A chain of links that never ends is replaced itself, as the system's
// own rename would.
std::filesystem::path followLinks(const std::filesystem::path& target)
{
    namespace fs = std::filesystem;
    fs::path path = target;
    for (int depth = 0; depth < 40; ++depth) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) {
            return path;
        }
        const fs::path next = fs::read_symlink(path, error);
        if (error) {
            return path;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return target;
}

// Opens a fresh file beside `target` that no one else uses. It is private to
// the user until it has been given the permissions of the file it replaces.
int createBeside(const std::filesystem::path& target, bool replacing, std::filesystem::path& tempPath)
{
    static std::atomic<unsigned> counter{0};
    const mode_t mode = replacing ? 0600 : 0666;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = target;
        candidate += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            tempPath = candidate;
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, std::string_view bytes)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced changes nothing.
void syncFolderOf(const std::filesystem::path& target)
{
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileWriteResult writeFileAtomically(const std::filesystem::path& named, std::string_view bytes)
{
    if (named.empty()) {
        return {false, "no file name"};
    }
    const std::filesystem::path target = followLinks(named);
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    std::filesystem::path tempPath;
    const int fd = createBeside(target, replacing, tempPath);
    if (fd < 0) {
        return {false, systemError("cannot create a file beside " + target.string())};
    }
    TempFile temp(fd, tempPath);
    if (replacing) {
        // The new file keeps the old one's permissions, and its owner and
        // group where the system lets us (only an administrator may give a
        // file away, so that part is not an error).
        if (::fchmod(temp.fd(), old.st_mode & 07777) != 0) {
            return {false, systemError("cannot set the permissions of " + tempPath.string())};
        }
        [[maybe_unused]] const int owned = ::fchown(temp.fd(), old.st_uid, old.st_gid);
    }
    if (!writeAll(temp.fd(), bytes)) {
        return {false, systemError("cannot write " + tempPath.string())};
    }
    if (::fsync(temp.fd()) != 0) {
        return {false, systemError("cannot flush " + tempPath.string())};
    }
    if (!temp.close()) {
        return {false, systemError("cannot close " + tempPath.string())};
    }
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        return {false, systemError("cannot replace " + target.string())};
    }
    temp.keep();
    syncFolderOf(target);
    return {true, {}};
}

FileReadResult readFileBytes(const std::filesystem::path& path, std::size_t maxBytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {std::nullopt, systemError("cannot open " + path.string())};
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return {std::nullopt, "cannot read " + path.string() + ": it is a folder"};
    }
    std::string out;
    char buf[65536];
    while (out.size() < maxBytes) {
        const std::size_t want = std::min(sizeof buf, maxBytes - out.size());
        const ssize_t n = ::read(fd, buf, want);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            FileReadResult failed{std::nullopt, systemError("cannot read " + path.string())};
            ::close(fd);
            return failed;
        }
        if (n == 0) {
            break;
        }
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return {std::move(out), {}};
}

} // namespace tavrin
