#pragma once

#include <QString>

// Plain file helpers for flag files and line logs. Paths are used as passed.
class FileReader {
public:
    // The file's bytes as Latin-1 text with zero bytes dropped; "" when it cannot be opened.
    static QString readFile(const QString& path);
    // Replaces the file atomically by the text's Latin-1 bytes followed by one zero byte, as
    // the update flag files expect ("yes" is stored as four bytes).
    static bool rewriteWholeFile(const QString& text, const QString& path);
    // Appends a newline and the text, creating the file when missing.
    static bool writeLineToFile(const QString& text, const QString& path);
    static bool fileExists(const QString& path);
};
