#include "XGDispatch.h"

#include <algorithm>

namespace yaaf {

XGDispatch* gFocus = nullptr;
XGDispatch* gAppDispatch = nullptr;
XGDispatch* _GFocusFallback = nullptr;
XGSend gSend;

const _DispatchTable s_XGDispatchTable[] = {{-1, nullptr}};
const _DispatchData XGDispatch::sDispatchData = {nullptr, s_XGDispatchTable, nullptr};

XGDispatch::~XGDispatch() {
    // Leave every sender first, so that a broadcast in progress never reaches a dead receiver.
    while (!fSend.empty())
        fSend.back()->RemoveReceiver(this);
    if (gFocus == this)
        gFocus = (_GFocusFallback == this) ? nullptr : _GFocusFallback;
    if (_GFocusFallback == this)
        _GFocusFallback = nullptr;
}

void XGDispatch::SetFocus() {
    if (gFocus == this)
        return;
    XGDispatch* previous = gFocus;
    if (previous)
        previous->DoLoseFocus();
    gFocus = this;
    DoGainFocus();
}

int32 XGDispatch::DoDispatch(int32 msg, int32 param, void* data, bool chain) {
    int32 result = kDispatchNotHandled;
    XGDispatch* object = this;
    while (object) {
        for (const _DispatchData* record = object->_GetDispatchTable(); record; record = record->base) {
            if (record->dispatch) {
                result = (object->*(record->dispatch))(msg, param, data);
                if (result != kDispatchNotHandled)
                    return result;
            }
            for (const _DispatchTable* entry = record->table; entry && entry->msg != -1; ++entry) {
                if (entry->msg == msg) {
                    result = (object->*(entry->proc))(param, data);
                    if (result != kDispatchNotHandled)
                        return result;
                    break; // only the first entry of a table counts; the base table comes next
                }
            }
        }
        if (!chain)
            return result;
        object = object->GetParentDispatch();
    }
    return result;
}

int32 XGDispatch::SendDispatch(int32 msg, int32 param, void* data) {
    if (!gFocus)
        return kDispatchNotHandled;
    return gFocus->DoDispatch(msg, param, data, true);
}

// ---------------------------------------------------------------------------------------------

XGSend::~XGSend() {
    for (DispRecord& record : fReceive) {
        auto& senders = record.disp->fSend;
        senders.erase(std::remove(senders.begin(), senders.end(), this), senders.end());
    }
}

bool XGSend::HasReceiver(const XGDispatch* receiver) const {
    return std::any_of(fReceive.begin(), fReceive.end(),
                       [receiver](const DispRecord& r) { return r.disp == receiver; });
}

void XGSend::AddReceiver(XGDispatch* receiver) {
    if (!receiver || HasReceiver(receiver))
        return;
    // Marked as already sent: a receiver added during a send is not visited by that send.
    fReceive.push_back({true, receiver});
    receiver->fSend.push_back(this);
}

void XGSend::RemoveReceiver(XGDispatch* receiver) {
    auto it = std::find_if(fReceive.begin(), fReceive.end(),
                           [receiver](const DispRecord& r) { return r.disp == receiver; });
    if (it == fReceive.end())
        return;
    fReceive.erase(it);
    fDelMark = true;
    auto& senders = receiver->fSend;
    senders.erase(std::remove(senders.begin(), senders.end(), this), senders.end());
}

void XGSend::SendMessage(int32 msg, int32 param, void* data) {
    fDelMark = false;
    const size_t n = fReceive.size();
    for (size_t i = 0; i < n; ++i)
        fReceive[i].mark = false;

    bool rescan = true;
    while (rescan) {
        rescan = false;
        for (size_t i = 0; i < std::min(n, fReceive.size()); ++i) {
            if (fReceive[i].mark)
                continue;
            fReceive[i].mark = true;
            fReceive[i].disp->DoDispatch(msg, param, data, false);
            if (fDelMark) {
                // Records shifted under us: scan again from the start, skipping those already sent.
                fDelMark = false;
                rescan = true;
                break;
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------

namespace {
XGPeriodic* s_periodicHead = nullptr;
// The next object of a running SendPeriodic pass, moved on when that object is destroyed.
XGPeriodic* s_periodicNext = nullptr;
} // namespace

XGPeriodic::XGPeriodic() {
    fNext = s_periodicHead;
    if (s_periodicHead)
        s_periodicHead->fPrev = this;
    s_periodicHead = this;
}

XGPeriodic::~XGPeriodic() {
    if (s_periodicNext == this)
        s_periodicNext = fNext;
    if (fPrev)
        fPrev->fNext = fNext;
    else
        s_periodicHead = fNext;
    if (fNext)
        fNext->fPrev = fPrev;
}

void XGPeriodic::SendPeriodic(bool post) {
    XGPeriodic* savedNext = s_periodicNext; // a nested pass must not disturb an outer one
    for (XGPeriodic* p = s_periodicHead; p; p = s_periodicNext) {
        s_periodicNext = p->fNext;
        if (post)
            p->DoPostPeriodic();
        else
            p->DoPrePeriodic();
    }
    s_periodicNext = savedNext;
}

// ---------------------------------------------------------------------------------------------

namespace {
struct EventRecord {
    uint32 value;
    XGEventTrigger* trigger;
};
std::vector<EventRecord> s_triggers;
std::vector<EventRecord>* s_triggersInFlight = nullptr;
} // namespace

XGEventTrigger::~XGEventTrigger() {
    s_triggers.erase(std::remove_if(s_triggers.begin(), s_triggers.end(),
                                    [this](const EventRecord& r) { return r.trigger == this; }),
                     s_triggers.end());
    if (s_triggersInFlight)
        for (EventRecord& r : *s_triggersInFlight)
            if (r.trigger == this)
                r.trigger = nullptr;
}

void XGEventTrigger::SetTrigger(uint32 value) {
    for (EventRecord& r : s_triggers) {
        if (r.trigger == this) {
            r.value = std::max(r.value, value);
            return;
        }
    }
    s_triggers.push_back({value, this});
}

void XGEventTrigger::Periodic() {
    // Take the pending records out first; a trigger set while the pass runs waits for the next one
    // instead of being lost.
    std::vector<EventRecord> pass;
    pass.swap(s_triggers);
    std::vector<EventRecord>* saved = s_triggersInFlight;
    s_triggersInFlight = &pass;
    for (size_t i = 0; i < pass.size(); ++i)
        if (pass[i].trigger)
            pass[i].trigger->TriggerEvent(pass[i].value);
    s_triggersInFlight = saved;
}

size_t XGEventTrigger::CountPending() {
    return s_triggers.size();
}

// ---------------------------------------------------------------------------------------------

namespace {
struct PostedBroadcast {
    int32 msg;
    int32 param;
};
std::vector<PostedBroadcast> s_posted;
} // namespace

void XGPostBroadcast(int32 msg, int32 param) {
    s_posted.push_back({msg, param});
}

void XGSendPostedBroadcasts() {
    std::vector<PostedBroadcast> queue;
    queue.swap(s_posted);
    for (const PostedBroadcast& b : queue)
        gSend.SendMessage(b.msg, b.param, nullptr);
}

} // namespace yaaf
