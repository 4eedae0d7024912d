#pragma once
// Framework-internal: the toolbar artwork by the names toolbar resources give
// (resources/artwork/toolbar/NAME.png, with NAME@2x.png for dense screens).

#include <string>

class QIcon;

namespace yaaf {

QIcon XGToolbarIcon(const std::string& name);

} // namespace yaaf
