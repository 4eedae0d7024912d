#include "XGFile.h"

#include "XGHandle.h"
#include "XGThread.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace yaaf {

int16 XGFileStream::Fail(int error) {
    fLastError = int16(error ? error : EIO);
    YAAFSetErrorCode(fLastError, 0);
    return fLastError;
}

XGFile::~XGFile() {
    CloseDescriptor();
}

void XGFile::SetSpecifier(const XGFileSpecifier& spec) {
    if (!IsOpen()) fSpec = spec;
}

int16 XGFile::Open(int16 mode) {
    if (IsOpen()) return Fail(EBUSY);
    int flags = O_CLOEXEC;
    switch (mode) {
    case kRead:
        flags |= O_RDONLY;
        break;
    case kWrite:
        flags |= O_WRONLY;
        break;
    case kReadWrite:
        flags |= O_RDWR;
        break;
    case kCreate:
        flags |= O_RDWR | O_CREAT;
        break;
    default:
        return Fail(EINVAL);
    }
    const std::string path = fSpec.GetFullPath();
    if (path.empty()) return Fail(ENOENT);
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return Fail(errno);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return Fail(EISDIR);
    }
    fFd = fd;
    fLastError = 0;
    if (mode == kCreate) fSpec.SetPath(path); // now it exists: take its full form
    return 0;
}

int16 XGFile::CloseDescriptor() {
    if (fFd < 0) return 0;
    const int result = ::close(fFd);
    fFd = -1;
    // After close() failing with EINTR the descriptor is gone on Linux; do not retry.
    return result == 0 ? 0 : Fail(errno);
}

int16 XGFile::Close() {
    return CloseDescriptor();
}

int32 XGFile::DoRead(int32 count, void* buffer) {
    if (fFd < 0) {
        Fail(EBADF);
        return 0;
    }
    if (count <= 0 || !buffer) return 0;
    auto* out = static_cast<char*>(buffer);
    int32 done = 0;
    while (done < count) {
        const ssize_t n = ::read(fFd, out + done, size_t(count - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(errno);
            break;
        }
        if (n == 0) break; // end of file
        done += int32(n);
    }
    return done;
}

int32 XGFile::DoWrite(int32 count, const void* buffer) {
    if (fFd < 0) {
        Fail(EBADF);
        return 0;
    }
    if (count <= 0 || !buffer) return 0;
    const auto* in = static_cast<const char*>(buffer);
    int32 done = 0;
    while (done < count) {
        const ssize_t n = ::write(fFd, in + done, size_t(count - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(errno);
            break;
        }
        if (n == 0) {
            Fail(ENOSPC);
            break;
        }
        done += int32(n);
    }
    return done;
}

int16 XGFile::SetFilePos(int64 pos) {
    if (fFd < 0) return Fail(EBADF);
    if (pos < 0) return Fail(EINVAL);
    if (::lseek(fFd, off_t(pos), SEEK_SET) < 0) return Fail(errno);
    return 0;
}

int64 XGFile::GetFilePos() {
    if (fFd < 0) {
        Fail(EBADF);
        return -1;
    }
    const off_t pos = ::lseek(fFd, 0, SEEK_CUR);
    if (pos < 0) Fail(errno);
    return int64(pos);
}

int64 XGFile::GetLength() {
    if (fFd < 0) {
        Fail(EBADF);
        return -1;
    }
    struct stat st {};
    if (::fstat(fFd, &st) != 0) {
        Fail(errno);
        return -1;
    }
    return int64(st.st_size);
}

int16 XGFile::SetEOF(int64 length) {
    if (fFd < 0) return Fail(EBADF);
    if (length < 0) return Fail(EINVAL);
    int result;
    do {
        result = ::ftruncate(fFd, off_t(length));
    } while (result != 0 && errno == EINTR);
    if (result != 0) return Fail(errno);
    // The position stays inside the file.
    const int64 pos = GetFilePos();
    if (pos > length) return SetFilePos(length);
    return 0;
}

int16 XGFile::ReadAll(XGHandle& out) {
    const int64 length = GetLength();
    if (length < 0) return fLastError;
    if (length > INT32_MAX) return Fail(EFBIG);
    if (int16 err = SetFilePos(0)) return err;
    if (!out.SetSize(int32(length))) return Fail(EBUSY); // the handle is locked and would have to move
    const int32 got = Read(int32(length), out.GetData());
    if (got != length) {
        out.SetSize(got);
        return fLastError ? fLastError : Fail(EIO); // the file shrank while being read
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------

XGAtomicFile::~XGAtomicFile() {
    Abort();
}

int16 XGAtomicFile::Open() {
    if (IsOpen() || !fTempPath.empty()) return Fail(EBUSY);
    std::string target = fSpec.GetFullPath();
    if (target.empty()) return Fail(ENOENT);
    // Replace the file a link points to, not the link.
    std::error_code ec;
    if (std::filesystem::is_symlink(target, ec)) {
        auto real = std::filesystem::canonical(target, ec);
        if (!ec) target = real.string();
    }
    struct stat targetStat {};
    const bool targetExists = ::stat(target.c_str(), &targetStat) == 0;
    if (targetExists && S_ISDIR(targetStat.st_mode)) return Fail(EISDIR);

    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);

    static std::atomic<uint32> sCounter{0};
    int fd = -1;
    std::string temp;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        const auto tick = uint64(std::chrono::steady_clock::now().time_since_epoch().count());
        temp = folder + "." + name + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++sCounter) +
               "-" + std::to_string(tick % 100000);
        // 0666 lets the umask decide for a new file, as for any file the program makes.
        fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR) return Fail(errno);
    }
    if (fd < 0) return Fail(EEXIST);
    if (targetExists) {
        // Keep the owner where allowed (it only works for the owner's own group or as root).
        (void)::fchown(fd, targetStat.st_uid, targetStat.st_gid);
        if (::fchmod(fd, targetStat.st_mode & 07777) != 0) {
            const int err = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            return Fail(err);
        }
    }
    fFd = fd;
    fTempPath = temp;
    fTargetPath = target;
    fWriteError = 0;
    fLastError = 0;
    return 0;
}

int32 XGAtomicFile::DoWrite(int32 count, const void* buffer) {
    const int32 written = XGFile::DoWrite(count, buffer);
    if (written != count && count > 0 && buffer && !fWriteError)
        fWriteError = fLastError ? fLastError : int16(EIO);
    return written;
}

int16 XGAtomicFile::Commit() {
    if (!IsOpen() || fTempPath.empty()) return Fail(EBADF);
    if (fWriteError) {
        const int16 err = fWriteError;
        Abort();
        return Fail(err);
    }
    int result;
    do {
        result = ::fsync(fFd);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int err = errno;
        Abort();
        return Fail(err);
    }
    if (::close(fFd) != 0) {
        const int err = errno;
        fFd = -1;
        Abort();
        return Fail(err);
    }
    fFd = -1;
    if (::rename(fTempPath.c_str(), fTargetPath.c_str()) != 0) {
        const int err = errno;
        Abort();
        return Fail(err);
    }
    fTempPath.clear();
    // Make the rename itself durable.
    const size_t slash = fTargetPath.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : fTargetPath.substr(0, slash + 1);
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        (void)::fsync(dirFd);
        ::close(dirFd);
    }
    fSpec.SetPath(fSpec.GetFullPath()); // the target exists now
    fLastError = 0;
    return 0;
}

void XGAtomicFile::Abort() {
    CloseDescriptor();
    if (!fTempPath.empty()) {
        ::unlink(fTempPath.c_str());
        fTempPath.clear();
    }
}

int16 XGAtomicFile::Close() {
    Abort();
    return 0;
}

} // namespace yaaf
