#pragma once

#include <QString>

// What a start of the unit has to do before it runs, decided from the marker files beside
// the executable.
enum class StartMode {
    Normal = -1,                 // run
    FirstRunOfVersion = 0,       // back up, re-parse the setups, start a fresh copy
    NewSetupFiles = 1,           // take over staged setup files, start a fresh copy
    NewSetupFilesWithSerial = 2, // the same, the staged files may change the serial number
};

class StartUp {
public:
    static constexpr const char* kVersionText = KC40_VERSION_TEXT;

    // "-Version": the twelve-digit build stamp to "norvane_version" in the application folder.
    static bool writeVersionFile(const QString& stamp);

    // Configuration files delivered in "new_configuration_files" replace the live folder; the
    // live folder is kept in "backup_configuration_files_usb". Nothing live is touched unless
    // the delivered files were copied completely; a failed delivery stays staged.
    static bool deliverConfiguration();

    // Reads the markers; on the first run of a version also writes the version marker and
    // backs up the live setup and configuration folders.
    static StartMode chooseStartMode();

    // Overlays staged or backed-up setup files onto the live ones for a preparation start.
    // The staging folder is removed only after a successful overlay.
    static bool prepareSetupFiles(StartMode mode);
};
