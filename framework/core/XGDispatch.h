#pragma once
// Messages: every receiver is an XGDispatch with a static table of handlers chained to its base
// class's table. A message sent to the focus travels the parent chain (view, enclosing views,
// window, form, document, application) until a handler answers anything but -1.

#include "XGTypes.h"

#include <cstddef>

#include <vector>

namespace yaaf {

class XGDispatch;
class XGSend;

using DispatchProc = int32 (XGDispatch::*)(int32 param, void* data);
using DispatchCatchAll = int32 (XGDispatch::*)(int32 msg, int32 param, void* data);

struct _DispatchTable {
    int32 msg; // -1 ends the table
    DispatchProc proc;
};

struct _DispatchData {
    const _DispatchData* base;
    const _DispatchTable* table;
    DispatchCatchAll dispatch;
};

class XGDispatch {
public:
    XGDispatch() = default;
    XGDispatch(const XGDispatch&) = delete;
    XGDispatch& operator=(const XGDispatch&) = delete;
    virtual ~XGDispatch();

    // Makes this object the focus: the previous focus loses it, this one gains it.
    virtual void SetFocus();
    virtual void DoGainFocus() {}
    virtual void DoLoseFocus() {}
    virtual const _DispatchData* _GetDispatchTable() const { return &sDispatchData; }
    virtual XGDispatch* GetParentDispatch() const { return nullptr; }

    int32 DoDispatch(int32 msg, int32 param, void* data, bool chain);
    // Dispatches to the focus along its chain; -1 when there is no focus.
    static int32 SendDispatch(int32 msg, int32 param = 0, void* data = nullptr);

    static const _DispatchData sDispatchData;

    // The senders this object is registered on, so that it can leave them when destroyed.
    std::vector<XGSend*> fSend;
};

// The current focus, or none.
extern XGDispatch* gFocus;
// The application object, where every dispatch chain ends; set by the application core. Documents
// and forms reach it through this, so that they do not need the window libraries.
extern XGDispatch* gAppDispatch;

// The object the focus falls back to when the focus object is destroyed (the application).
extern XGDispatch* _GFocusFallback;

// A broadcast sender: every registered receiver gets a message once per send, even when
// receivers remove themselves or others while it is being sent.
class XGSend {
public:
    struct DispRecord {
        bool mark;
        XGDispatch* disp;
    };

    XGSend() = default;
    XGSend(const XGSend&) = delete;
    XGSend& operator=(const XGSend&) = delete;
    ~XGSend();

    void AddReceiver(XGDispatch* receiver);
    void RemoveReceiver(XGDispatch* receiver);
    void SendMessage(int32 msg, int32 param = 0, void* data = nullptr);
    bool HasReceiver(const XGDispatch* receiver) const;
    std::size_t CountReceivers() const { return fReceive.size(); }

private:
    bool fDelMark = false;
    std::vector<DispRecord> fReceive;
};

extern XGSend gSend;

// Objects that run before and after each event, in a global list with the newest at the head.
class XGPeriodic {
public:
    XGPeriodic();
    XGPeriodic(const XGPeriodic&) = delete;
    XGPeriodic& operator=(const XGPeriodic&) = delete;
    virtual ~XGPeriodic();

    virtual void DoPrePeriodic() {}
    virtual void DoPostPeriodic() {}

    static void SendPeriodic(bool post);

private:
    XGPeriodic* fPrev = nullptr;
    XGPeriodic* fNext = nullptr;
};

// One-shot triggers: a value per object, the larger one winning, delivered once per pass.
class XGEventTrigger {
public:
    XGEventTrigger() = default;
    XGEventTrigger(const XGEventTrigger&) = delete;
    XGEventTrigger& operator=(const XGEventTrigger&) = delete;
    virtual ~XGEventTrigger();

    virtual void TriggerEvent(uint32 value) = 0;

    void SetTrigger(uint32 value);
    static void Periodic();
    static std::size_t CountPending();
};

// Posted broadcasts, sent through gSend after each event.
void XGPostBroadcast(int32 msg, int32 param = 0);
void XGSendPostedBroadcasts();

} // namespace yaaf

// Dispatch table declaration, inside a class deriving from XGDispatch.
#define YAAF_DECLARE_DISPATCH()                                                                              \
public:                                                                                                      \
    static const yaaf::_DispatchData sDispatchData;                                                          \
    const yaaf::_DispatchData* _GetDispatchTable() const override { return &sDispatchData; }                 \
                                                                                                             \
private:                                                                                                     \
    static const yaaf::_DispatchTable sDispatchTable[];                                                      \
                                                                                                             \
public:

// Table definition, in the class's source file:
//   YAAF_DISPATCH_BEGIN(TVornApp)
//     YAAF_DISPATCH_ENTRY('menu', TVornApp, DoMenuCommand)
//   YAAF_DISPATCH_END(TVornApp, XGAppMultiWindow)
// A handler has the signature int32 Handler(int32 param, void* data).
#define YAAF_DISPATCH_BEGIN(Class) const yaaf::_DispatchTable Class::sDispatchTable[] = {
#define YAAF_DISPATCH_ENTRY(msg, Class, Member)                                                              \
    {yaaf::int32(msg), static_cast<yaaf::DispatchProc>(&Class::Member)},
#define YAAF_DISPATCH_END(Class, Base)                                                                       \
    {-1, nullptr}                                                                                            \
    }                                                                                                        \
    ;                                                                                                        \
    const yaaf::_DispatchData Class::sDispatchData = {&Base::sDispatchData, Class::sDispatchTable, nullptr};
