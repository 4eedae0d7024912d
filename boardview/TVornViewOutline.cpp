#define VORN_UNIT "TVornView.cpp"
// The board as an outline: the outline view modes of the board window and the conversion into
// an outline window. The outline browser does the work; the board view only asks for it.
#include "TVornView.h"

#include "CDocumentKinds.h"
#include "TVornController.h"
#include "TVornModel.h"

using namespace yaaf;

namespace {
// The menu items of the board that show it as an outline.
enum : int32 {
    kCmd_ViewAsIcons = 3,
    kCmd_ViewAsList = 4,
    kCmd_ViewAsHeirColumns = 5,
    kCmd_ViewAsZoom = 8,
    kCmd_ConvertToOutline = 15,
};
} // namespace

bool TVornView::OutlineCommandsAvailable() {
    const CBoardOutlineService& service = GetDocumentKinds().boardOutline;
    return service.showAsOutline && service.convertToOutline;
}

bool TVornView::DoOutlineCommand(int32 command) {
    if (command != kCmd_ViewAsIcons && command != kCmd_ViewAsList && command != kCmd_ViewAsHeirColumns &&
        command != kCmd_ViewAsZoom && command != kCmd_ConvertToOutline)
        return false;
    const CBoardOutlineService& service = GetDocumentKinds().boardOutline;
    XGDocForm* formP = i_controllerP;
    if (!formP || !OutlineCommandsAvailable()) return true;
    EndInPlaceEdit();
    if (command == kCmd_ConvertToOutline) {
        service.convertToOutline(formP);
        return true;
    }
    // This view goes now.
    service.showAsOutline(formP, command - 2);
    return true;
}
