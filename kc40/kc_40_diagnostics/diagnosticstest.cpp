#include "diagnosticstest.h"

namespace {
const QChar kSections = QLatin1Char('/');
const QChar kElements = QLatin1Char(',');

template <class Value, class Format>
QString pairs(const QStringList& names, const QList<Value>& values, Format format) {
    QStringList elements;
    for (qsizetype i = 0; i < names.size() && i < values.size(); ++i) {
        elements << names[i] << format(values[i]);
    }
    return elements.join(kElements);
}

QString asText(const QString& value) {
    return value;
}

// A result too small to show at two decimals is "0.00" whatever its sign: "-0.00" would read back
// as zero and be given on as "0.00", so the text would change on its way through the unit.
QString twoDecimals(float value) {
    const QString text = QString::number(value, 'f', 2);
    return text == QLatin1String("-0.00") ? QStringLiteral("0.00") : text;
}

// Name-value pairs of one section; the values converted by read, which may reject them.
template <class Value, class Read>
bool readPairs(const QString& section, QStringList& names, QList<Value>& values, Read read) {
    const QStringList elements = section.split(kElements);
    for (qsizetype i = 0; i + 1 < elements.size(); i += 2) {
        const std::optional<Value> value = read(elements[i + 1]);
        if (!value) {
            return false;
        }
        names << elements[i];
        values << *value;
    }
    return true;
}

std::optional<int> readInt(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<float> readFloat(const QString& text) {
    bool ok = false;
    const float value = text.toFloat(&ok);
    return ok ? std::optional<float>(value) : std::nullopt;
}

std::optional<QString> readText(const QString& text) {
    return text;
}
} // namespace

void DiagnosticsTest::addComment(const QString& name, const QString& value) {
    partialTestName << QStringLiteral("a");
    partialTestStatus << 1;
    testResultName << QStringLiteral("a");
    testResultValue << 1.0f;
    testCommentName << name;
    testCommentValue << value;
}

QString DiagnosticsTest::getTestDataString() const {
    return QStringList{testName + kElements + QString::number(testStatus),
                       pairs(partialTestName, partialTestStatus,
                             [](int status) { return QString::number(status); }),
                       pairs(testResultName, testResultValue, twoDecimals),
                       pairs(testCommentName, testCommentValue, asText)}
        .join(kSections);
}

std::optional<DiagnosticsTest> DiagnosticsTest::fromText(const QString& text) {
    const QStringList sections = text.split(kSections);
    if (sections.size() != 4) {
        return std::nullopt;
    }
    const QStringList head = sections[0].split(kElements);
    const std::optional<int> status = head.size() == 2 ? readInt(head[1]) : std::nullopt;
    if (!status || head[0].isEmpty()) {
        return std::nullopt;
    }
    DiagnosticsTest test;
    test.testName = head[0];
    test.testStatus = *status;
    if (!readPairs(sections[1], test.partialTestName, test.partialTestStatus, readInt) ||
        !readPairs(sections[2], test.testResultName, test.testResultValue, readFloat) ||
        !readPairs(sections[3], test.testCommentName, test.testCommentValue, readText)) {
        return std::nullopt;
    }
    return test;
}
