#pragma once
// The cells every device list shows for one record: the row number, the model name (empty for
// a type outside the table), the MAC with colons and the dotted IPv4 address.
#include <QStringList>

#include "discovery/ConfigParam.h"

namespace varlo::ui {

QStringList DeviceRowText(int row, const _CONFIGPARAM& record);

}  // namespace varlo::ui
