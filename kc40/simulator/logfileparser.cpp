#include "logfileparser.h"

#include "filereader.h"

#include <QDebug>

LogFileParser::LogFileParser(QObject* parent) : QObject(parent) {}

LogFileParser::~LogFileParser() = default;

namespace {
// DLM: rate of turn, heading, ..., speed over ground at 8.
constexpr qsizetype kDlmFields = 10;
constexpr qsizetype kDlmRot = 1;
constexpr qsizetype kDlmHeading = 2;
constexpr qsizetype kDlmSpeed = 8;
// DATR: course over ground at 7; a line with fewer fields carries no course.
constexpr qsizetype kDatrCourseFields = 5;
constexpr qsizetype kDatrCourse = 7;
} // namespace

QString LogFileParser::convert(const QStringList& logContents) {
    QStringList dat4;
    QStringList dat5;
    QStringList datr;
    QStringList dlm;
    bool takeDlm = true;
    for (const QString& line : logContents) {
        if (line.indexOf(QLatin1String("DAT,4")) > 0) {
            dat4 << line;
        }
        if (line.contains(QLatin1String("DAT,5"))) {
            dat5 << line;
        }
        if (line.contains(QLatin1String("DATR"))) {
            datr << line;
        }
        // The log holds each DLM twice.
        if (line.contains(QLatin1String("DLM"))) {
            if (takeDlm) {
                dlm << line;
            }
            takeDlm = !takeDlm;
        }
    }

    QString demo;
    for (qsizetype i = 0; i < dlm.size(); ++i) {
        const QStringList d = dlm[i].split(QLatin1Char(','));
        if (d.size() < kDlmFields) {
            qDebug() << "DLM contents: " << dlm[i];
            continue;
        }
        QString group = QStringLiteral("$HEROT,") + d[kDlmRot] + QStringLiteral(",A\n") +
                        QStringLiteral("$HEHDT,") + d[kDlmHeading] + QStringLiteral(",T\n");
        if (i < datr.size()) {
            const QStringList r = datr[i].split(QLatin1Char(','));
            if (r.size() > kDatrCourse) {
                group += QStringLiteral("$GPVTG,") + r[kDatrCourse] + QStringLiteral(",T,,M,") +
                         d[kDlmSpeed] + QStringLiteral(",N,,K,A\n");
            } else if (r.size() >= kDatrCourseFields) {
                // Cut short in the log: its course is not there.
                qDebug() << "DATR contents: " << datr[i];
                continue;
            } else {
                qDebug() << "DATR contents: " << datr[i];
            }
        }
        if (i < dat4.size() && !dat4[i].isEmpty()) {
            demo += group + dat4[i] + QLatin1Char('\n');
        }
        if (i < dat5.size() && !dat5[i].isEmpty()) {
            demo += dat5[i] + QLatin1Char('\n');
        }
    }
    return demo;
}

QString LogFileParser::convertText(const QString& logText) {
    QStringList lines = logText.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
    }
    return convert(lines);
}

void LogFileParser::parseLogFile(const QString& logPath) {
    Q_EMIT logFileParsed(convertText(FileReader::readFile(logPath)));
}
