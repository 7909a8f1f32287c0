#pragma once

#include "boardsummary.h"
#include "displaypairing.h"
#include "junctionboxview.h"
#include "ptyline.h"
#include "usbstickslot.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemWatcher>
#include <QMap>
#include <QObject>
#include <QProcess>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>

#include <map>
#include <memory>
#include <optional>

#include <termios.h>

class MulticastSocket;

// What runs on the virtual board and where its programs are.
struct BoardSetup {
    QString root;
    QString unitBinary;
    QString sensorBinary;
    QString navBinary;
    QString displayBinary; // empty: no display on the network
    QString displayScript; // commands the display simulator carries out once paired
    QString scenario;
    QString group = QStringLiteral("NAVD");
    bool plain = false;
    // A sea test: the ship sails two reciprocal legs of this length (nm) at navsim's speed and
    // the sensor simulator measures the ship's speeds instead of the scenario's. 0: cruise.
    double seaTestLeg = 0.0;
};

// The unit on a virtual board with its equipment around it: pseudo-terminals at
// ROOT/dev/ttyS0..2, the sensor simulator on ttyS3, the navigation simulator feeding
// Nmea_1's input through ROOT/dev/navsim, the display simulator and a listener on the unit's
// multicast group on the loopback interface. Once a second it shows what an officer would read
// off the outputs and how the display's pairing stands, or with `plain` it prints every
// sentence the unit and the display send as it arrives.
class VirtualBoard : public QObject {
    Q_OBJECT
public:
    explicit VirtualBoard(BoardSetup setup, QObject* parent = nullptr);
    ~VirtualBoard() override;

    bool start();
    // Stops every program it started, and the fresh copy the unit may have started of
    // itself, by process id.
    void stop();

private:
    bool startProgram(QProcess& process, const QString& name, const QString& binary,
                      const QStringList& arguments);
    void onSerial(const QString& channel, const QByteArray& bytes);
    void onDatagrams(const QList<QByteArray>& datagrams);
    void readSensorRecord();
    void readStoredSetup();
    void emitSentence(const QString& sentence);
    void onSecond();
    // The terminals' functions as the unit stores them, the LEDs and the board's description.
    void readJunctionBox();
    // Watches the junction box's pins that the unit has exported by now.
    void watchPins();
    void readPin(const QString& valueFile);
    // A key pressed on the live view: 1 to 4 toggle that terminal's input, u puts a USB stick
    // in or pulls it.
    void onKey();
    void togglePinInput(const QString& pin);
    QString pinFile(const QString& pin) const;
    void draw();
    // The sensor simulator's last report from its log ("vq2sim: ..."), empty when none.
    QString sensorReport() const;
    qint64 unitPid() const;

    BoardSetup m_setup;
    BoardSummary m_summary;
    DisplayPairing m_pairing;
    JunctionBoxView m_junctionBox;
    JunctionBoxFile m_boardFile;
    UsbStickSlot m_usb;
    QFileSystemWatcher m_pinWatcher;
    QElapsedTimer m_clock;
    std::unique_ptr<QSocketNotifier> m_keys;
    std::optional<termios> m_terminal; // the terminal's settings before the live view
    std::map<QString, std::unique_ptr<PtyLine>> m_lines;
    std::unique_ptr<PtyLine> m_navInput;
    std::unique_ptr<MulticastSocket> m_lan;
    QMap<QString, QByteArray> m_pending; // bytes of each channel not yet cut into sentences
    QProcess m_unit;
    QProcess m_sensor;
    QProcess m_nav;
    QProcess m_display;
    QFile m_sensorRecord;
    QByteArray m_recordPending; // the record's last line, while the simulator writes it
    bool m_storedSetupRead = false;
    QTimer m_tick;
};
