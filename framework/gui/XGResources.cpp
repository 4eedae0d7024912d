#include "XGResources.h"

#include <QFile>

namespace yaaf {

std::string XGResourcePath(uint32 type, int16 id) {
    std::string name = ":/vorn/";
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = char((type >> shift) & 0xFF);
        // Keep resource file names portable: only letters and digits stand as they are.
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        name += plain ? c : '_';
    }
    name += '_';
    name += std::to_string(id);
    name += ".bin";
    return name;
}

bool XGGetResource(uint32 type, int16 id, std::vector<uint8>& out) {
    out.clear();
    QFile file(QString::fromStdString(XGResourcePath(type, id)));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = file.readAll();
    out.assign(reinterpret_cast<const uint8*>(data.constData()),
               reinterpret_cast<const uint8*>(data.constData()) + data.size());
    return true;
}

} // namespace yaaf
