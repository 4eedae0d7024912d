#pragma once
// A toolbar inside a window (view kind 'tlbr'), built from a toolbar resource. Its buttons send
// their commands through a status target (the view whose commands they are: a button press
// travels from there up the dispatch chain) and take their state from it after each event
// while their window is in front; without a target they use the focus, as the menus do.

#include "XGDispatch.h"
#include "XGView.h"

#include <chrono>
#include <memory>
#include <vector>

namespace yaaf {

struct XGToolbarViewPlatform;

class XGToolbarView : public XGView, public XGPeriodic {
public:
    explicit XGToolbarView(int32 id = 3);
    ~XGToolbarView() override;

    // Builds the buttons from toolbar resource `resID`; false (the bar unchanged) when there is
    // none.
    bool Load(int16 resID);

    // The view the buttons serve; it must be a view of the same window (a target that has
    // left the window is not used).
    void SetStatusTarget(XGView* target) { fTarget = target; }
    XGView* GetStatusTarget() const;

    // 'Prst', 'stat' for each button, 'Post', from the target.
    void UpdateStatus();
    void DoPostPeriodic() override;

    std::vector<int32> GetButtonIDs() const;
    bool IsButtonEnabled(int32 command) const;
    bool IsButtonChecked(int32 command) const;
    // Presses the button as the user would (nothing when it is disabled); false when there is
    // no such button or it is disabled.
    bool PressButton(int32 command);

    // The height the bar wants.
    int32 GetPreferredHeight() const;

protected:
    void DoResize() override;

private:
    void SendCommand(int32 command);
    XGDispatch* StatusFrom() const;

    // The buttons' state is asked for at most this often after events (the 50 ms tick of the
    // run loop brings the last change in).
    static constexpr std::chrono::milliseconds kStatusInterval{100};

    std::unique_ptr<XGToolbarViewPlatform> fPlatform;
    XGView* fTarget = nullptr;
    std::chrono::steady_clock::time_point fLastUpdate{};
};

} // namespace yaaf
