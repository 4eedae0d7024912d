#pragma once
// The board the drawing and export benchmarks share, and the plain QPainter loop they are
// measured against: 2,000 text items in a grid of 16 columns and 125 rows (overlapping like a
// busy board), all inside a picture of the view's size, drawn by an offscreen view.

#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornOffscreenView.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "XGFont.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QString>

#include <string>
#include <vector>

namespace vornbench {

constexpr int kGridItems = 2000;
constexpr int kGridCols = 16;

inline std::string GridWord(int i) {
    static const char* const kWords[] = {"Cat", "Black dog", "Tree", "Zz", "river", "12", "ab:cd", "Moon"};
    return std::string(kWords[i % 8]) + std::to_string(i % 97);
}

struct GridBoard {
    // Every `selectEvery`th item selected (none with 0).
    GridBoard(int width, int height, int selectEvery = 0) : view(width, height) {
        modelP = new TVornModel;
        modelP->i_prefs.mode = Vorn_Mode_EDIT;
        modelP->i_prefs.view_as = O_ViewAs_FREEFORM;
        controllerP = view.Attach(modelP);
        const int rowStep = (height - 30) / (kGridItems / kGridCols);
        for (int i = 0; i < kGridItems; ++i) {
            CVornItem* itemP = modelP->AddWord(GridWord(i).c_str());
            const yaaf::tagRECT r = itemP->i_boundsR;
            const int left = (i % kGridCols) * (width / kGridCols);
            const int top = (i / kGridCols) * rowStep;
            itemP->i_boundsR = yaaf::tagRECT{left, top, left + r.Width(), top + r.Height()};
            if (selectEvery > 0 && i % selectEvery == 0) itemP->i_b.set_selectedB(true);
        }
    }
    CVornOffscreenView view;
    TVornModel* modelP;
    TVornController* controllerP;
};

struct PlainItem {
    QRect r;
    QString text;
};

inline std::vector<PlainItem> PlainItems(const GridBoard& b) {
    std::vector<PlainItem> items;
    for (int i = 0; i < kGridItems; ++i) {
        const yaaf::tagRECT r = b.modelP->i_list->GetIndItem(i)->i_boundsR;
        items.push_back({QRect(r.left, r.top, r.Width(), r.Height()), QString::fromStdString(GridWord(i))});
    }
    return items;
}

inline QFont PlainFont(const GridBoard& b) {
    return yaaf::XGFont(b.modelP->i_prefs.font).GetQFont();
}

// Erases the page, then erases, frames and draws the text of every item.
inline void DrawPlain(QPainter& p, const QRect& page, const std::vector<PlainItem>& items, const QFont& font) {
    p.fillRect(page, Qt::white);
    p.setFont(font);
    const int ascent = QFontMetrics(font, p.device()).ascent();
    for (const PlainItem& it : items) {
        p.fillRect(it.r, Qt::white);
        p.setPen(Qt::black);
        p.drawText(QPoint(it.r.left() + 4, it.r.top() + 2 + ascent), it.text);
        p.drawRect(it.r.adjusted(0, 0, -1, -1));
    }
}

} // namespace vornbench
