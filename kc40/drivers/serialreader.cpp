#include "serialreader.h"

#include "logger.h"
#include "nmeaparser.h"
#include "platform.h"

#include <QDebug>

SerialReader::SerialReader(QObject* parent) : QObject(parent) {}

SerialReader::~SerialReader() = default;

bool SerialReader::validateBaudRate(int baudRate) {
    return baudRate == 4800 || baudRate == 38400 || baudRate == 115200;
}

int SerialReader::lineBaudRate(int configured) {
    return validateBaudRate(configured) ? configured : 4800;
}

bool SerialReader::init(const QString& name, int baudRate, bool connectReceive) {
    if (!validateBaudRate(baudRate)) {
        return false;
    }
    close();
    m_devicePath = Platform::serialDevice(name);
    m_port = std::make_unique<QSerialPort>();
    m_port->setPortName(m_devicePath);
    m_port->setBaudRate(baudRate);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port->open(QIODevice::ReadWrite)) {
        Logger::instance()->append(QStringLiteral("Error opening port: ") + m_devicePath + " (" +
                                       m_port->errorString() + ")",
                                   Logger::LOG_ERROR);
        m_port.reset();
        m_writable = false;
        return false;
    }
    if (connectReceive) {
        connect(m_port.get(), &QSerialPort::readyRead, this, &SerialReader::slotReadNmeaPacket);
    }
    Logger::instance()->append(QStringLiteral("Opened port for reading: ") + m_devicePath +
                                   QStringLiteral(" at ") + QString::number(baudRate),
                               Logger::LOG_INFO);
    m_framer.clear();
    m_writable = true;
    return true;
}

void SerialReader::close() {
    m_writable = false;
    if (m_port) {
        m_port->disconnect(this);
        // Sentences still queued leave before the line closes (a rate change reopens it).
        m_port->flush();
        m_port->close();
        m_port.reset();
    }
}

bool SerialReader::isOpen() const {
    return m_port && m_port->isOpen();
}

int SerialReader::sendMessage(const QString& text) {
    if (!m_writable || !m_port) {
        qDebug() << "!!! NMEA, to many messages ##################################";
        Logger::instance()->append(QStringLiteral("cannot send: ") + text, Logger::LOG_WARNING);
        return -1;
    }
    if (m_loggingEnabled) {
        Logger::instance()->append(text, Logger::LOG_INFO);
    }
    // Queued, not flushed: the sentences of one output cycle leave together in one write
    // instead of one system call each.
    return static_cast<int>(m_port->write(text.toLatin1()));
}

void SerialReader::flush() {
    if (m_port) {
        m_port->flush();
    }
}

void SerialReader::slotReadNmeaPacket() {
    const SentenceFramer::Result framed = m_framer.append(m_port->readAll());
    if (!framed.rejected.isEmpty()) {
        qDebug() << "discard nmea buff: " << framed.rejected;
    }
    if (framed.overflowed > 0) {
        Logger::instance()->append(QStringLiteral("Unterminated input dropped on ") + m_devicePath +
                                       QStringLiteral(": ") + QString::number(framed.overflowed) +
                                       QStringLiteral(" characters"),
                                   Logger::LOG_WARNING);
    }
    for (const QString& sentence : framed.sentences) {
        NmeaMessagePtr message = NmeaParser::parse(sentence);
        if (message->errorType() != NO_ERROR) {
            qDebug() << "Error NMEA:" << sentence << "Error index: " << message->errorType();
        }
        if (m_receivingEnabled) {
            Q_EMIT receivedSerialNmea(message);
        }
    }
}
