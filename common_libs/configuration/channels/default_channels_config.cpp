#include "default_channels_config.h"

const QStringList Default_Channels_config::typeList = [] {
    QStringList types;
    for (const TypeDefaults& type : defaults) {
        types << QLatin1String(type.msgType);
    }
    return types;
}();
