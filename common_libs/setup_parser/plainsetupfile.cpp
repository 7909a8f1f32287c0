#include "plainsetupfile.h"

namespace {
// The text between the outer brackets, with the brackets' inner blanks kept.
QString inner(const QString& text, QChar open, QChar close) {
    const QString trimmed = text.trimmed();
    if (!trimmed.startsWith(open)) {
        return {};
    }
    const qsizetype end = trimmed.endsWith(close) ? trimmed.size() - 1 : trimmed.size();
    return trimmed.mid(1, end - 1);
}
} // namespace

QStringList PlainSetupFile::splitTopLevel(const QString& text, QChar separator) {
    QStringList parts;
    qsizetype start = 0;
    int depth = 0;
    bool inString = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inString) {
            if (c == QLatin1Char('\\')) {
                ++i;
            } else if (c == QLatin1Char('"')) {
                inString = false;
            }
        } else if (c == QLatin1Char('"')) {
            inString = true;
        } else if (c == QLatin1Char('{') || c == QLatin1Char('[')) {
            ++depth;
        } else if (c == QLatin1Char('}') || c == QLatin1Char(']')) {
            --depth;
        } else if (c == separator && depth == 0) {
            parts.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    parts.append(text.mid(start));
    return parts;
}

PlainSetupFile::PlainSetupFile(const QString& text) {
    const QString members = inner(text, QLatin1Char('{'), QLatin1Char('}'));
    if (members.trimmed().isEmpty()) {
        return;
    }
    for (const QString& member : splitTopLevel(members, QLatin1Char(','))) {
        const QStringList pieces = splitTopLevel(member, QLatin1Char(':'));
        if (pieces.size() == 2) {
            fieldNames.append(pieces[0]);
            fieldValues.append(pieces[1]);
        }
    }
}

QString PlainSetupFile::getKey(int index) const {
    QString key = getName(index).trimmed();
    if (key.size() >= 2 && key.startsWith(QLatin1Char('"')) && key.endsWith(QLatin1Char('"'))) {
        key = key.mid(1, key.size() - 2);
    }
    return key;
}

int PlainSetupFile::indexOfKey(const QString& key) const {
    for (int i = 0; i < fieldNames.size(); ++i) {
        if (getKey(i) == key) {
            return i;
        }
    }
    return -1;
}

void PlainSetupFile::setValue(int index, const QString& value) {
    if (valid(index)) {
        fieldValues[index] = value;
    }
}

QString PlainSetupFile::getSetupString() const {
    QStringList members;
    for (int i = 0; i < fieldNames.size(); ++i) {
        members.append(fieldNames[i] + QLatin1Char(':') + fieldValues[i]);
    }
    return QLatin1Char('{') + members.join(QLatin1Char(',')) + QLatin1Char('}');
}

LevelOneSetupFile::LevelOneSetupFile(const QString& text) {
    const QString elements = inner(text, QLatin1Char('['), QLatin1Char(']'));
    if (elements.trimmed().isEmpty()) {
        return;
    }
    for (const QString& element : PlainSetupFile::splitTopLevel(elements, QLatin1Char(','))) {
        subSetups.append(PlainSetupFile(element));
    }
}

QString LevelOneSetupFile::getSetupString() const {
    QStringList elements;
    for (const PlainSetupFile& element : subSetups) {
        elements.append(element.getSetupString());
    }
    return QStringLiteral("[ ") + elements.join(QStringLiteral(", ")) + QStringLiteral(" ]");
}
