#include "XGHostInfo.h"

#include <QString>
#include <QSysInfo>

namespace yaaf {

const std::string& XGGetMachineName() {
    static const std::string name = [] {
        std::string n = QSysInfo::machineHostName().toStdString();
        return n.empty() ? std::string("localhost") : n;
    }();
    return name;
}

} // namespace yaaf
