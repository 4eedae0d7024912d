#include "XGBeep.h"

#include <QApplication>

namespace yaaf {

namespace {
int s_beeps = 0;
}

void XGBeep() {
    ++s_beeps;
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

int XGBeepCount() {
    return s_beeps;
}

} // namespace yaaf
