#include "setupfilesparser.h"

#include "atomicfile.h"
#include "platform.h"
#include "setupparserlog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace {
QJsonDocument parse(const QString& text) {
    return QJsonDocument::fromJson(text.toUtf8());
}

// The JSON kind of one value text, or Undefined when it is not a complete scalar value.
QJsonValue::Type scalarType(const QString& valueText) {
    const QJsonDocument wrapped = parse(QLatin1Char('[') + valueText + QLatin1Char(']'));
    if (!wrapped.isArray() || wrapped.array().size() != 1) {
        return QJsonValue::Undefined;
    }
    const QJsonValue::Type type = wrapped.array().first().type();
    return type == QJsonValue::Object || type == QJsonValue::Array ? QJsonValue::Undefined : type;
}

// The new value in the live value's blanks, so the live spacing stays.
QString inLiveBlanks(const QString& liveValue, const QString& newValue) {
    qsizetype start = 0;
    while (start < liveValue.size() && liveValue[start].isSpace()) {
        ++start;
    }
    qsizetype end = liveValue.size();
    while (end > start && liveValue[end - 1].isSpace()) {
        --end;
    }
    return liveValue.left(start) + newValue.trimmed() + liveValue.mid(end);
}

// A staged text contributes only when it is well-formed JSON of the expected shape.
QString usableNewText(const QString& newText, bool array) {
    const QJsonDocument document = parse(newText);
    if ((array && document.isArray()) || (!array && document.isObject())) {
        return newText;
    }
    if (!newText.isEmpty()) {
        qCWarning(lcSetupParser)
            << "Staged setup text is not well-formed; its values are not taken";
    }
    return {};
}
} // namespace

bool SetupFilesParser::tryParseSetups(const QString& liveFolder, const QString& newFolder,
                                      bool overwriteSerial) {
    m_fromUSB = QFileInfo::exists(Platform::appPath(QStringLiteral("new_setup_files/from_usb")));
    const QDir live(liveFolder);
    const QStringList newNames = QDir(newFolder).entryList(QDir::Files);
    bool allWritten = true;
    for (const QString& name : live.entryList(QDir::Files)) {
        if (!newNames.contains(name)) {
            continue;
        }
        const QString livePath = live.filePath(name);
        const QString liveText = loadFileContents(livePath);
        const std::optional<QString> merged = overlayFile(
            livePath, liveText, loadFileContents(QDir(newFolder).filePath(name)), overwriteSerial);
        if (merged && *merged != liveText && !writeFile(livePath, *merged)) {
            allWritten = false;
        }
    }
    return allWritten;
}

std::optional<QString> SetupFilesParser::overlayFile(const QString& livePath,
                                                     const QString& liveText,
                                                     const QString& newText, bool overwriteSerial) {
    const QString name = QFileInfo(livePath).fileName();
    QString keyName;
    const Overlay overlay = overlayFor(name, keyName);
    if (overlay == Overlay::None) {
        return std::nullopt;
    }
    const QJsonDocument liveDocument = parse(liveText);
    if (!(overlay == Overlay::Array ? liveDocument.isArray() : liveDocument.isObject())) {
        qCWarning(lcSetupParser).noquote()
            << QStringLiteral("Live setup file ") + livePath +
                   QStringLiteral(" is unreadable or malformed; left untouched");
        return std::nullopt;
    }
    setFileKind(name);
    const QString merged = overlay == Overlay::Array
                               ? overlayLevelOneSetupFiles(liveText, newText, keyName)
                               : overlayPlainSetupFiles(liveText, newText, overwriteSerial);
    if (parse(merged).isNull()) {
        qCCritical(lcSetupParser).noquote()
            << QStringLiteral("Overlay of ") + livePath +
                   QStringLiteral(" gave malformed text; left untouched");
        return std::nullopt;
    }
    return merged;
}

bool SetupFilesParser::tryParseConfigs(const QString&, const QString&) {
    return true;
}

SetupFilesParser::Overlay SetupFilesParser::overlayFor(const QString& fileName,
                                                       QString& keyName) const {
    if (fileName.contains(QLatin1String("channel_setup"))) {
        keyName = QStringLiteral("msgType");
        return Overlay::Array;
    }
    if (fileName == QLatin1String("alarm_msg_types_setup") ||
        fileName.contains(QLatin1String("channels_"))) {
        keyName = QStringLiteral("channelName");
        return Overlay::Array;
    }
    if (fileName == QLatin1String("kc40_aux_setup")) {
        keyName = QStringLiteral("auxName");
        return Overlay::Array;
    }
    if (fileName.contains(QLatin1String("InformationWidgetConfiguration"))) {
        keyName = QStringLiteral("m_source");
        return Overlay::Array;
    }
    if (fileName.contains(QLatin1String("RuntimeScreen")) ||
        fileName.contains(QLatin1String("NavigationController"))) {
        return Overlay::None;
    }
    // Both distance records: the water one and the ground one.
    if (m_fromUSB && fileName.contains(QLatin1String("total_trip"))) {
        return Overlay::None;
    }
    return Overlay::Plain;
}

void SetupFilesParser::setFileKind(const QString& fileName) {
    m_cuSetupFile = fileName.contains(QLatin1String("rv_n_003_setup"));
    m_vq2SetupFile = fileName.contains(QLatin1String("vq2_setup"));
    m_kc40SetupFile = fileName.contains(QLatin1String("kc40_setup"));
}

QString SetupFilesParser::overlayPlainSetupFiles(const QString& liveText, const QString& newText,
                                                 bool overwriteSerial) {
    return overlayPlainSetups(PlainSetupFile(liveText),
                              PlainSetupFile(usableNewText(newText, false)), overwriteSerial)
        .getSetupString();
}

QString SetupFilesParser::overlayLevelOneSetupFiles(const QString& liveText, const QString& newText,
                                                    const QString& keyName) {
    const LevelOneSetupFile live(liveText);
    const LevelOneSetupFile fresh(usableNewText(newText, true));
    LevelOneSetupFile result;
    for (const PlainSetupFile& liveElement : live.subSetups) {
        const QString liveKey = liveElement.getValue(liveElement.indexOfKey(keyName)).trimmed();
        bool matched = false;
        for (const PlainSetupFile& newElement : fresh.subSetups) {
            if (!liveKey.isEmpty() &&
                newElement.getValue(newElement.indexOfKey(keyName)).trimmed() == liveKey) {
                result.subSetups.append(overlayPlainSetups(liveElement, newElement, true));
                matched = true;
            }
        }
        if (!matched) {
            result.subSetups.append(liveElement);
        }
    }
    return result.getSetupString();
}

bool SetupFilesParser::forceValue(PlainSetupFile& result, int index) const {
    struct Forced {
        bool applies;
        const char* key;
        const char* value;
        const char* message;
    };
    const Forced forced[] = {
        {m_cuSetupFile, "systemInStandby", "false", "Forcing Standby to off for CU"},
        {m_vq2SetupFile, "primaryFrequencyHigh", "true", "Forcing Primary frequency to High"},
        {m_kc40SetupFile, "lowSpeedGPS_Correction", "true", "Forcing low speed correction to High"},
    };
    for (const Forced& f : forced) {
        if (f.applies && result.getName(index).contains(QLatin1String(f.key))) {
            result.setValue(index, inLiveBlanks(result.getValue(index), QLatin1String(f.value)));
            qCInfo(lcSetupParser) << f.message;
            return true;
        }
    }
    return false;
}

PlainSetupFile SetupFilesParser::overlayPlainSetups(const PlainSetupFile& live,
                                                    const PlainSetupFile& fresh,
                                                    bool overwriteSerial) {
    PlainSetupFile result = live;
    for (int i = 0; i < result.getSetupLength(); ++i) {
        if (forceValue(result, i)) {
            continue;
        }
        if (result.getName(i).contains(QLatin1String("serialNumber")) && !overwriteSerial) {
            continue;
        }
        const QJsonValue::Type liveType = scalarType(result.getValue(i));
        const QString freshValue = fresh.getValue(fresh.indexOfKey(result.getKey(i)));
        if (liveType != QJsonValue::Undefined && scalarType(freshValue) == liveType) {
            result.setValue(i, inLiveBlanks(result.getValue(i), freshValue));
        }
    }
    return result;
}

QString SetupFilesParser::loadFileContents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcSetupParser).noquote()
            << QStringLiteral("Failed to open: ") + path +
                   QStringLiteral(" !!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!");
        return {};
    }
    return QString::fromLatin1(file.readAll());
}

bool SetupFilesParser::writeFile(const QString& path, const QString& text) {
    return AtomicFile::write(path, text.toLatin1());
}
