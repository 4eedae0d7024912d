#pragma once
// Files and streams. Ordinary I/O failures are answered as status codes (0 success, otherwise
// the system's error number), never as exceptions; Read and Write answer the number of bytes
// moved, so a short count is the sign of a failure and GetLastError() tells which.

#include "XGFileSpecifier.h"
#include "XGTypes.h"

namespace yaaf {

class XGHandle;

// A sequential, positionable stream of bytes.
class XGFileStream {
public:
    XGFileStream() = default;
    XGFileStream(const XGFileStream&) = delete;
    XGFileStream& operator=(const XGFileStream&) = delete;
    virtual ~XGFileStream() = default;

    // Counts are bytes; both answer the number of bytes moved.
    int32 Read(int32 count, void* buffer) { return DoRead(count, buffer); }
    int32 Write(int32 count, const void* buffer) { return DoWrite(count, buffer); }

    virtual int16 SetFilePos(int64 pos) = 0;
    virtual int64 GetFilePos() = 0; // -1 when unknown
    virtual int64 GetLength() = 0;  // -1 when unknown
    // Cuts or extends the stream to `length` bytes.
    virtual int16 SetEOF(int64 length) = 0;

    int16 GetLastError() const { return fLastError; }

protected:
    virtual int32 DoRead(int32 count, void* buffer) = 0;
    virtual int32 DoWrite(int32 count, const void* buffer) = 0;
    // Records a failure (also in the calling thread's error record) and answers it.
    int16 Fail(int error);

    int16 fLastError = 0;
};

class XGFile : public XGFileStream {
public:
    enum OpenMode : int16 {
        kRead = 1,      // the file must exist
        kWrite = 2,     // the file must exist
        kReadWrite = 3, // the file must exist
        kCreate = 4     // read and write; made when missing, kept as it is when present
    };

    XGFile() = default;
    explicit XGFile(const XGFileSpecifier& spec) : fSpec(spec) {}
    ~XGFile() override;

    const XGFileSpecifier& GetSpecifier() const { return fSpec; }
    // Only while closed.
    void SetSpecifier(const XGFileSpecifier& spec);

    int16 Open(int16 mode);
    bool IsOpen() const { return fFd >= 0; }
    virtual int16 Close();

    int16 SetFilePos(int64 pos) override;
    int64 GetFilePos() override;
    int64 GetLength() override;
    int16 SetEOF(int64 length) override;

    // Reads the whole file from its start into `out` (replacing its contents).
    int16 ReadAll(XGHandle& out);

protected:
    int32 DoRead(int32 count, void* buffer) override;
    int32 DoWrite(int32 count, const void* buffer) override;
    int16 CloseDescriptor();

    XGFileSpecifier fSpec;
    int fFd = -1;
};

// Saving without risk to the old file: Open makes a temporary file beside the target, the
// writes go there, and Commit flushes it to the disk and renames it over the target. Until
// Commit succeeds the target is untouched; a failed write, a failed Commit, Close or Abort, or
// destruction without Commit removes the temporary file. A replaced file keeps its permissions.
class XGAtomicFile : public XGFile {
public:
    explicit XGAtomicFile(const XGFileSpecifier& target) : XGFile(target) {}
    ~XGAtomicFile() override;

    int16 Open();
    // Any earlier write failure makes Commit fail (and abort) with that failure.
    int16 Commit();
    void Abort();
    // Closing without Commit throws the new contents away.
    int16 Close() override;

    // The temporary file's path while open (for diagnostics and tests).
    const std::string& GetTempPath() const { return fTempPath; }

protected:
    int32 DoWrite(int32 count, const void* buffer) override;

private:
    std::string fTempPath;
    std::string fTargetPath;
    int16 fWriteError = 0;
};

} // namespace yaaf
