#include "XGThread.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace yaaf {

namespace {
// The only lock of the program: it guards the list of thread objects.
// Never destroyed: detached threads may still finish while the program exits.
std::mutex& ThreadListLock() {
    static auto* sLock = new std::mutex;
    return *sLock;
}
std::vector<XGThread*>& ThreadList() {
    static auto* sList = new std::vector<XGThread*>;
    return *sList;
}

thread_local XGThread* tCurrentThread = nullptr;

// The record of threads without a thread object.
struct ErrorRecord {
    int32 code = 0;
    int32 datum = 0;
};
thread_local ErrorRecord tErrorRecord;
} // namespace

XGThread::XGThread() {
    std::lock_guard<std::mutex> lock(ThreadListLock());
    ThreadList().push_back(this);
}

XGThread::XGThread(ThreadProc proc, void* arg) : XGThread() {
    fProc = proc;
    fArg = arg;
}

XGThread::~XGThread() {
    std::lock_guard<std::mutex> lock(ThreadListLock());
    auto& list = ThreadList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

int32 XGThread::Run() {
    return fProc ? fProc(fArg) : 0;
}

void XGThread::ThreadMain() {
    tCurrentThread = this;
    try {
        fResult = Run();
    } catch (...) {
        // Nothing may escape a thread; the failure is left in the thread's record.
        fResult = -1;
        fErrorCode = -1;
    }
    tCurrentThread = nullptr;
    fFinished.store(true);
    fFinished.notify_all();
    Release();
}

bool XGThread::Start() {
    bool expected = false;
    if (!fStarted.compare_exchange_strong(expected, true)) return false;
    Retain(); // the running thread's reference
    try {
        std::thread([this] { ThreadMain(); }).detach();
    } catch (const std::system_error&) {
        fStarted.store(false);
        Release();
        return false;
    }
    return true;
}

bool XGThread::Spawn(ThreadProc proc, void* arg) {
    auto* thread = new XGThread(proc, arg);
    const bool started = thread->Start();
    thread->Release();
    return started;
}

void XGThread::Retain() {
    fRefCount.fetch_add(1);
}

void XGThread::Release() {
    if (fRefCount.fetch_sub(1) == 1) delete this;
}

void XGThread::Wait() {
    if (!fStarted.load() || tCurrentThread == this) return;
    fFinished.wait(false);
}

XGThread* XGThread::GetCurrentThread() {
    return tCurrentThread;
}

void XGThread::YieldThread(bool giveUp) {
    if (giveUp)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

size_t XGThread::CountThreads() {
    std::lock_guard<std::mutex> lock(ThreadListLock());
    return ThreadList().size();
}

void XGThread::InterruptAll() {
    std::lock_guard<std::mutex> lock(ThreadListLock());
    for (XGThread* thread : ThreadList())
        thread->Interrupt();
}

int32 YAAFSetErrorCode(int32 code, int32 datum) {
    if (XGThread* thread = tCurrentThread) {
        thread->fErrorCode = code;
        thread->fErrorDatum = datum;
    } else {
        tErrorRecord.code = code;
        tErrorRecord.datum = datum;
    }
    return code;
}

int32 YAAFGetErrorCode() {
    if (XGThread* thread = tCurrentThread) return thread->fErrorCode;
    return tErrorRecord.code;
}

int32 YAAFGetErrorDatum() {
    if (XGThread* thread = tCurrentThread) return thread->fErrorDatum;
    return tErrorRecord.datum;
}

} // namespace yaaf
