#pragma once

#include <QString>

// Overlays setup files staged in another folder onto the live ones at start-up.
class SetupFilesParser {
public:
    // Returns true when the live folder holds everything the other folder had to give.
    bool tryParseSetups(const QString& liveFolder, const QString& newFolder, bool overwriteSerial);
    // Configuration files are taken over by folder copies; nothing to overlay.
    bool tryParseConfigs(const QString& configurationFolder, const QString& otherFolder);
};
