#include "runablediagnostictest.h"

DiagnosticsTest RunableDiagnosticTest::notTested(const QString& commentName) const {
    DiagnosticsTest test;
    test.testName = m_name;
    test.testStatus = DiagnosticsTest::kNotTested;
    test.addComment(commentName, QStringLiteral("NOT TESTED"));
    return test;
}
