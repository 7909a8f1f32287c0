#pragma once

#include "plainsetupfile.h"

#include <QString>

#include <optional>

// Overlays setup files staged in another folder (from a USB stick or the backup of the last
// program version) onto the live ones at start-up. A live file keeps its own keys, order and
// spacing and takes from the staged file only the values of keys both share, and only values
// that are well-formed and of the live value's kind. The serial number changes only when the
// caller allows it, trip totals are never taken from a USB setup, and three states are forced
// on (or off for standby) whatever either file says.
class SetupFilesParser {
public:
    // Rewrites every live file that has a staged counterpart. False when a live file could
    // not be written, so the caller keeps the staged files.
    bool tryParseSetups(const QString& liveFolder, const QString& newFolder, bool overwriteSerial);
    // Configuration files are taken over by folder copies; nothing to overlay.
    bool tryParseConfigs(const QString& configurationFolder, const QString& otherFolder);
    // The live file's text with the staged text laid over it; none when the live file is to
    // stay as it is: a file that is not overlaid, a live text that is malformed or of the
    // wrong shape for its file, or a merge that would not parse.
    std::optional<QString> overlayFile(const QString& livePath, const QString& liveText,
                                       const QString& newText, bool overwriteSerial);

    // The merged texts; a new text that does not parse as JSON contributes nothing.
    QString overlayPlainSetupFiles(const QString& liveText, const QString& newText,
                                   bool overwriteSerial);
    QString overlayLevelOneSetupFiles(const QString& liveText, const QString& newText,
                                      const QString& keyName);
    PlainSetupFile overlayPlainSetups(const PlainSetupFile& live, const PlainSetupFile& fresh,
                                      bool overwriteSerial);

    // The file's bytes as Latin-1 text; "" (logged) when it cannot be read.
    static QString loadFileContents(const QString& path);
    static bool writeFile(const QString& path, const QString& text);

private:
    enum class Overlay { Plain, Array, None };
    Overlay overlayFor(const QString& fileName, QString& keyName) const;
    void setFileKind(const QString& fileName);
    // True when the entry is one of the forced states; the value is then set.
    bool forceValue(PlainSetupFile& result, int index) const;

    bool m_cuSetupFile = false;
    bool m_vq2SetupFile = false;
    bool m_kc40SetupFile = false;
    bool m_fromUSB = false;
};
