#include "LaunchRecorder.h"

#include "CVornItem.h"
#include "XGFileSpecifier.h"
#include "XGPlatform.h"

namespace vorntest {

namespace {
LaunchRecorder* sCurrent = nullptr;

bool Record(std::string what) {
    if (!sCurrent) return false;
    sCurrent->launched.push_back(std::move(what));
    return sCurrent->answer;
}
bool RecordURL(const char* url) {
    return Record(url ? url : "");
}
bool RecordFile(const yaaf::XGFileSpecifier& spec) {
    return Record("file:" + spec.GetName());
}
} // namespace

LaunchRecorder::LaunchRecorder()
    : fPrevious(sCurrent), fPreviousUrlHook(yaaf::XGSetLaunchURLHook(&RecordURL)),
      fPreviousFileProc(Vorn_SetLaunchFileProc(&RecordFile)) {
    sCurrent = this;
}

LaunchRecorder::~LaunchRecorder() {
    yaaf::XGSetLaunchURLHook(fPreviousUrlHook);
    Vorn_SetLaunchFileProc(fPreviousFileProc);
    sCurrent = fPrevious;
}

} // namespace vorntest
