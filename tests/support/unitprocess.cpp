#include "unitprocess.h"

#include "waitfor.h"

#include <QFile>

#include <signal.h>
#include <sys/prctl.h>

UnitProcess::UnitProcess(QString binary, QString root)
    : m_binary(std::move(binary)), m_root(std::move(root)) {
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // A test that crashes takes its unit with it: a unit left running would answer the next
    // test's commands on the same group.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

UnitProcess::~UnitProcess() {
    const qint64 restarted = runningPid();
    if (restarted > 0 && restarted != m_process.processId()) {
        ::kill(static_cast<pid_t>(restarted), SIGKILL);
    }
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

void UnitProcess::start(const QStringList& extra) {
    m_process.start(m_binary, QStringList{"--root", m_root, "--net-if", "lo"} + extra);
    m_process.waitForStarted(5000);
}

int UnitProcess::waitForExit(int timeoutMs) {
    if (!m_process.waitForFinished(timeoutMs)) {
        return -1;
    }
    log();
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

bool UnitProcess::isRunning() const {
    return m_process.state() == QProcess::Running;
}

QByteArray UnitProcess::log() {
    m_log += m_process.readAll();
    return m_log;
}

bool UnitProcess::waitForLog(const QByteArray& text, int timeoutMs) {
    return waitFor(
        [&] {
            m_process.waitForReadyRead(20);
            return log().contains(text);
        },
        timeoutMs);
}

qint64 UnitProcess::runningPid() const {
    QFile file(m_root + QStringLiteral("/var/run/kc40.pid"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
}

bool processAlive(qint64 pid) {
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0;
}
