// Fuzzes the start-up overlay of a staged setup file (from a USB stick or the last program
// version) onto the live one. The first byte chooses the live file's name and whether the
// serial number may change; the rest is the live text and the staged text, split at the first
// zero byte. A live file that is overlaid and well-formed for its name must come out merged and
// of the same shape: otherwise the unit keeps it untouched and the staged values are lost.
#include "fuzzinput.h"
#include "setupfilesparser.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
struct LiveFile {
    const char* name;
    bool array;
};
// Records with a forced state, a plain record, each kind of list.
const LiveFile kLiveFiles[] = {
    {"rv_n_003_setup", false},
    {"vq2_setup", false},
    {"kc40_setup", false},
    {"calibration_coeff", false},
    {"total_trip_setup", false},
    {"Nmea_1_channel_setup", true},
    {"alarm_msg_types_setup", true},
    {"kc40_aux_setup", true},
    {"InformationWidgetConfiguration", true},
};

bool wellFormed(const QString& text, bool array) {
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    return array ? document.isArray() : document.isObject();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    silenceLogging();
    if (size == 0) {
        return 0;
    }
    const LiveFile& file = kLiveFiles[(data[0] & 0x7f) % std::size(kLiveFiles)];
    const bool overwriteSerial = (data[0] & 0x80) != 0;
    const QByteArray bytes = afterFirstByte(data, size);
    const qsizetype split = bytes.indexOf('\0');
    const QString live = QString::fromLatin1(split < 0 ? bytes : bytes.left(split));
    const QString staged = split < 0 ? QString() : QString::fromLatin1(bytes.mid(split + 1));

    SetupFilesParser parser;
    const std::optional<QString> merged =
        parser.overlayFile(QStringLiteral("/opt/setup_files/") + QLatin1String(file.name), live,
                           staged, overwriteSerial);
    if (wellFormed(live, file.array) && !(merged && wellFormed(*merged, file.array))) {
        std::abort();
    }
    return 0;
}
