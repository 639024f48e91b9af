#include "discovery/DeviceRowText.h"

#include "discovery/DeviceFormat.h"
#include "discovery/DeviceType.h"

namespace varlo::ui {

QStringList DeviceRowText(int row, const _CONFIGPARAM& record) {
    const char* name = GetDeviceTypeName(record.dwType());
    return {QString::number(row), name ? QString::fromLatin1(name) : QString(),
            QString::fromStdString(FormatMacColon(record.byMac())),
            QString::fromStdString(FormatIp(record.dwIp()))};
}

}  // namespace varlo::ui
