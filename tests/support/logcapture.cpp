#include "logcapture.h"

#include <QMutexLocker>

namespace {
LogCapture* g_capture = nullptr;
} // namespace

LogCapture::LogCapture() {
    g_capture = this;
    m_previous = qInstallMessageHandler(&LogCapture::collect);
}

LogCapture::~LogCapture() {
    qInstallMessageHandler(m_previous);
    g_capture = nullptr;
}

QString LogCapture::text() const {
    QMutexLocker lock(&m_mutex);
    return m_text;
}

void LogCapture::collect(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    {
        QMutexLocker lock(&g_capture->m_mutex);
        g_capture->m_text += text + QLatin1Char('\n');
    }
    g_capture->m_previous(type, context, text);
}
