#pragma once
// Framework threads: real operating-system threads that start running at once. A thread object
// is reference-counted: the creator holds one reference and the running thread another, dropped
// when Run returns; the object deletes itself when the last reference goes. Every thread object
// is in one global list, guarded by the only lock of the program.
//
// Each thread has an error record (a code and one datum) written by YAAFSetErrorCode; threads
// made elsewhere (the user-interface thread) get a record of their own as well.

#include "XGTypes.h"

#include <atomic>
#include <cstddef>

namespace yaaf {

class XGThread {
public:
    using ThreadProc = int32 (*)(void* arg);

    // Holds one reference (the creator's). Without a procedure, Run must be overridden.
    XGThread();
    XGThread(ThreadProc proc, void* arg);
    XGThread(const XGThread&) = delete;
    XGThread& operator=(const XGThread&) = delete;

    // Starts the thread (once); it takes its own reference. False when the system could not
    // make a thread (the object is then as before Start).
    bool Start();

    // Makes and starts a thread for proc(arg) and drops the creator's reference at once.
    static bool Spawn(ThreadProc proc, void* arg);

    void Retain();
    // Deletes the object when this was the last reference.
    void Release();
    int32 GetRefCount() const { return fRefCount.load(); }

    // Waits until Run has returned (answers at once when the thread never started).
    void Wait();
    void Join() { Wait(); }
    bool IsFinished() const { return fFinished.load(); }
    bool IsStarted() const { return fStarted.load(); }
    int32 GetResult() const { return fResult; }

    // A request to stop, for Run to check at its convenience.
    void Interrupt() { fInterrupted.store(true); }
    bool IsInterrupted() const { return fInterrupted.load(); }

    // The thread object of the calling thread, or null for threads made elsewhere.
    static XGThread* GetCurrentThread();
    // Lets other threads run: giveUp true yields the processor, false only pauses briefly.
    static void YieldThread(bool giveUp);

    // The global list of thread objects.
    static size_t CountThreads();
    static void InterruptAll();

    // The error record of this thread.
    int32 GetErrorCode() const { return fErrorCode; }
    int32 GetErrorDatum() const { return fErrorDatum; }

protected:
    virtual ~XGThread();
    virtual int32 Run();

private:
    void ThreadMain();
    friend int32 YAAFSetErrorCode(int32 code, int32 datum);
    friend int32 YAAFGetErrorCode();
    friend int32 YAAFGetErrorDatum();

    ThreadProc fProc = nullptr;
    void* fArg = nullptr;
    std::atomic<int32> fRefCount{1};
    std::atomic<bool> fStarted{false};
    std::atomic<bool> fFinished{false};
    std::atomic<bool> fInterrupted{false};
    int32 fResult = 0;
    int32 fErrorCode = 0;
    int32 fErrorDatum = 0;
};

// Stores code and datum in the calling thread's error record; answers code.
int32 YAAFSetErrorCode(int32 code, int32 datum = 0);
// The calling thread's last error code and datum.
int32 YAAFGetErrorCode();
int32 YAAFGetErrorDatum();

} // namespace yaaf
