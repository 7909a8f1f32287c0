#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The result of one self test as the display shows it. The unit's tests put their findings in
// the comments; each comment comes with one placeholder partial test ("a", 1) and one
// placeholder result ("a", 1.0), which the display expects alongside.
//
// Text form, four sections separated by "/":
//   testName,testStatus / partial name,status,... / result name,value,... / comment name,value,...
// Result values carry two decimals.
struct DiagnosticsTest {
    static constexpr int kPassed = 0;
    static constexpr int kFailed = 1;
    static constexpr int kNotTested = -1;

    QString testName;
    int testStatus = kNotTested;
    QStringList partialTestName;
    QList<int> partialTestStatus;
    QStringList testResultName;
    QList<float> testResultValue;
    QStringList testCommentName;
    QStringList testCommentValue;

    // A finding, with its placeholders.
    void addComment(const QString& name, const QString& value);

    QString getTestDataString() const;
    // Nothing unless all four sections are there and the first holds a name and a whole-number
    // status. A trailing element without its partner is left out.
    static std::optional<DiagnosticsTest> fromText(const QString& text);

    bool operator==(const DiagnosticsTest&) const = default;
};
