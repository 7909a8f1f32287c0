#pragma once

#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <atomic>

// The level changes of the board's input pins, for one thread that waits on them.
//
// On the board the kernel marks a change of a pin exported with the edge "both" as priority
// data on its "value" file; the mark stays until the file is read again from its start. On a
// virtual board the sysfs tree is plain files: a write to a pin's "value" file that changes
// the level is the edge, seen when the file is closed after writing.
//
// Pins are added and removed from any thread; the waiting thread takes the change when it is
// woken. A removed pin's file is closed by the waiting thread after its wait has returned, so
// that no wait ever watches a closed descriptor.
class GpioEdgeWatch {
public:
    GpioEdgeWatch();
    ~GpioEdgeWatch();
    GpioEdgeWatch(const GpioEdgeWatch&) = delete;
    GpioEdgeWatch& operator=(const GpioEdgeWatch&) = delete;

    // False when the pin's "value" file cannot be opened.
    bool add(const QString& pinName);
    void remove(const QString& pinName);
    // Ends the wait in progress and every later one.
    void stop();
    bool stopped() const { return m_stopped.load(); }

    // Blocks until pins changed level and returns their names, one entry per change; empty
    // once stopped or when the wait itself failed (which stops the watch).
    QStringList wait();

private:
    struct Pin {
        // The open "value" file on the board; the folder's watch on a virtual board.
        int descriptor = -1;
        bool level = false;
    };

    static QString valueFile(const QString& pinName);
    static bool readLevel(const QString& pinName, bool* level);
    void wake();
    void closeRetired();
    QStringList boardEdges(const QList<int>& ready);
    QStringList virtualEdges();

    const bool m_virtual;
    int m_wakeFd = -1;
    int m_inotifyFd = -1;
    std::atomic<bool> m_stopped{false};
    QMutex m_mutex;
    QHash<QString, Pin> m_pins;
    // Descriptors of removed pins, closed once no wait watches them.
    QList<int> m_retired;
};
