#define VORN_UNIT "TVornModel.cpp"
// Printing a board: one page, drawn as the board's window shows it.
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "XGDraw.h"
#include "XGPrint.h"

using namespace yaaf;

int32 TVornModel::DoPrintDocument() {
    // The board draws through its view (sizes, pictures, the Go Mode scale).
    CVornViewLink* viewP = GetView();
    if (!viewP) return 0;
    viewP->EndInPlaceEdit();
    return XGPrintDocument(GetDocumentName(), [this](XGDraw& draw, const tagRECT& page, int32 index) {
        if (index > 0) return false;
        // The page shows the board from its origin, wherever the window is scrolled to.
        const int32 scrollH = i_scrollH, scrollV = i_scrollV;
        i_scrollH = i_scrollV = 0;
        const tagRECT all{-32000, -32000, 32000, 32000};
        draw.SetBaseClip(page);
        draw.EraseRect(page);
        Draw(&draw, &all, Vorn_Mode_NONE);
        draw.ClearBaseClip();
        i_scrollH = scrollH;
        i_scrollV = scrollV;
        return false;
    });
}
