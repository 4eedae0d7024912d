#include "XGHeader.h"

#include "XGControlMessages.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QPointer>
#include <QStandardItemModel>

#include <algorithm>
#include <vector>

namespace yaaf {

class XGHeaderPlatform {
public:
    struct Limits {
        int32 min;
        int32 max;
    };

    XGHeaderPlatform(XGHeader* header, QWidget* parent)
        : view(new QHeaderView(Qt::Horizontal, parent)), model(new QStandardItemModel(0, 0, view)) {
        view->setModel(model);
        view->setSectionsClickable(true);
        view->setSectionsMovable(false);
        view->setStretchLastSection(false);
        view->setMinimumSectionSize(1);
        view->setFocusPolicy(Qt::NoFocus);
        QObject::connect(view, &QHeaderView::sectionResized, view, [this, header](int index, int, int size) {
            if (adjusting || index < 0 || index >= int(limits.size())) return;
            const int32 width = std::clamp(int32(size), limits[index].min, limits[index].max);
            if (width != size) {
                adjusting = true;
                view->resizeSection(index, width);
                adjusting = false;
            }
            XGHeaderChangeRecord change{index, width, !(QGuiApplication::mouseButtons() & Qt::LeftButton)};
            header->DoDispatch(kXGMsg_HeaderChange, header->GetID(), &change, true);
        });
        QObject::connect(view, &QHeaderView::sectionPressed, view, [header](int index) {
            int32 column = index;
            header->DoDispatch(kXGMsg_HeaderGrab, header->GetID(), &column, true);
        });
        QObject::connect(view, &QHeaderView::sectionClicked, view, [header](int index) {
            int32 column = index;
            header->DoDispatch(kXGMsg_HeaderSelect, header->GetID(), &column, true);
        });
    }
    // The header goes with the view's widget when that went first.
    ~XGHeaderPlatform() { delete guard.data(); }

    QHeaderView* view;
    QPointer<QHeaderView> guard{view};
    QStandardItemModel* model;
    std::vector<Limits> limits;
    bool adjusting = false;
};

XGHeader::XGHeader(int32 id) : XGView('head', id) {
    fPlatform = new XGHeaderPlatform(this, GetWidget());
    DoResize();
}

XGHeader::~XGHeader() {
    delete fPlatform;
}

int32 XGHeader::InsertColumn(int32 index, const std::string& label, int32 width, int32 minWidth,
                             int32 maxWidth) {
    const int32 count = CountColumns();
    if (index < 0 || index > count) index = count;
    minWidth = std::max(1, minWidth);
    maxWidth = std::max(minWidth, maxWidth);
    fPlatform->limits.insert(fPlatform->limits.begin() + index, {minWidth, maxWidth});
    fPlatform->adjusting = true;
    fPlatform->model->insertColumn(index);
    fPlatform->model->setHorizontalHeaderItem(index, new QStandardItem(QString::fromStdString(label)));
    fPlatform->view->resizeSection(index, std::clamp(width, minWidth, maxWidth));
    fPlatform->adjusting = false;
    if (fSelected >= index) SetSelectedColumn(fSelected + 1);
    return index;
}

void XGHeader::DeleteColumn(int32 index) {
    if (index < 0 || index >= CountColumns()) return;
    fPlatform->adjusting = true;
    fPlatform->model->removeColumn(index);
    fPlatform->adjusting = false;
    fPlatform->limits.erase(fPlatform->limits.begin() + index);
    if (fSelected == index)
        SetSelectedColumn(-1);
    else if (fSelected > index)
        SetSelectedColumn(fSelected - 1);
}

void XGHeader::DeleteAllColumns() {
    while (CountColumns() > 0)
        DeleteColumn(CountColumns() - 1);
}

int32 XGHeader::CountColumns() const {
    return int32(fPlatform->limits.size());
}

std::string XGHeader::GetColumnLabel(int32 index) const {
    if (index < 0 || index >= CountColumns()) return {};
    const QStandardItem* item = fPlatform->model->horizontalHeaderItem(index);
    return item ? item->text().toStdString() : std::string();
}

void XGHeader::SetColumnLabel(int32 index, const std::string& label) {
    if (index < 0 || index >= CountColumns()) return;
    fPlatform->model->setHorizontalHeaderItem(index, new QStandardItem(QString::fromStdString(label)));
}

int32 XGHeader::GetColumnWidth(int32 index) const {
    if (index < 0 || index >= CountColumns()) return 0;
    return fPlatform->view->sectionSize(index);
}

void XGHeader::SetColumnWidth(int32 index, int32 width) {
    if (index < 0 || index >= CountColumns()) return;
    const XGHeaderPlatform::Limits& l = fPlatform->limits[size_t(index)];
    fPlatform->adjusting = true;
    fPlatform->view->resizeSection(index, std::clamp(width, l.min, l.max));
    fPlatform->adjusting = false;
    XGHeaderChangeRecord change{index, GetColumnWidth(index), true};
    DoDispatch(kXGMsg_HeaderChange, GetID(), &change, true);
}

int32 XGHeader::GetColumnMinWidth(int32 index) const {
    return index >= 0 && index < CountColumns() ? fPlatform->limits[size_t(index)].min : 0;
}

int32 XGHeader::GetColumnMaxWidth(int32 index) const {
    return index >= 0 && index < CountColumns() ? fPlatform->limits[size_t(index)].max : 0;
}

void XGHeader::SetSelectedColumn(int32 index) {
    fSelected = index >= 0 && index < CountColumns() ? index : -1;
    fPlatform->view->setSortIndicatorShown(fSelected >= 0);
    if (fSelected >= 0) fPlatform->view->setSortIndicator(fSelected, Qt::AscendingOrder);
}

QHeaderView* XGHeader::GetPlatformHeader() const {
    return fPlatform->view;
}

void XGHeader::DoResize() {
    fPlatform->view->setGeometry(0, 0, std::max(0, GetWidth()), std::max(0, GetHeight()));
}

} // namespace yaaf
