#include "XGPrint.h"

#include "XGAlert.h"

#include <QGuiApplication>
#include <QImage>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

#include <memory>

namespace yaaf {

namespace {

std::string& PrintFile() {
    static std::string path;
    return path;
}

QPrinter& Printer() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

double& Scale() {
    static double scale = 1.0;
    return scale;
}

} // namespace

void XGSetPrintToFile(const std::string& pdfPath) {
    PrintFile() = pdfPath;
}

double XGPrintScale() {
    return Scale();
}

bool XGRunPageSetup() {
    if (XGDialogsAreSilent()) return false;
    QPageSetupDialog dialog(&Printer());
    return dialog.exec() == QDialog::Accepted;
}

int32 XGPrintDocument(const std::string& jobName, const XGPageProc& drawPage) {
    QPrinter& printer = Printer();
    printer.setDocName(QString::fromStdString(jobName));
    int first = 1, last = 0; // last 0: to the end
    if (!PrintFile().empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(PrintFile()));
        printer.setPrintRange(QPrinter::AllPages);
    } else {
        if (XGDialogsAreSilent()) return 0;
        printer.setOutputFileName(QString());
        QPrintDialog dialog(&printer);
        if (dialog.exec() != QDialog::Accepted) return 0;
        if (printer.printRange() == QPrinter::PageRange) {
            first = printer.fromPage();
            last = printer.toPage();
        }
    }
    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    // Draw in screen pixels so that the page looks like the window.
    const int screenDpi =
        QGuiApplication::primaryScreen() ? int(QGuiApplication::primaryScreen()->logicalDotsPerInchY()) : 96;
    const double scale = double(printer.resolution()) / double(screenDpi > 0 ? screenDpi : 96);
    Scale() = scale;
    painter.scale(scale, scale);
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    const tagRECT page{0, 0, int32(area.width() / scale), int32(area.height() / scale)};
    XGDraw draw(&painter);
    int32 printed = 0;
    bool more = true;
    for (int32 index = 0; more; ++index) {
        const int number = index + 1;
        if (last > 0 && number > last) break;
        if (number < first) {
            // Pages before the range are laid out but not drawn.
            QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
            XGDraw skip(&scratch);
            more = drawPage(skip, page, index);
            continue;
        }
        if (printed > 0) printer.newPage();
        draw.EraseRect(page);
        more = drawPage(draw, page, index);
        ++printed;
    }
    painter.end();
    return printed;
}

} // namespace yaaf
