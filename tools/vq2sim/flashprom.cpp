#include "flashprom.h"

namespace {

// SPI flash opcodes, as the PROM sees them.
constexpr quint8 kWriteStatus = 0x01;
constexpr quint8 kPageProgram = 0x02;
constexpr quint8 kRead = 0x03;
constexpr quint8 kWriteDisable = 0x04;
constexpr quint8 kReadStatus = 0x05;
constexpr quint8 kWriteEnable = 0x06;
constexpr quint8 kReadSignature = 0xAB;
constexpr quint8 kBulkErase = 0xC7;
// SRWD and the block protection bits: what WRSR may set.
constexpr quint8 kWritableStatus = 0x9C;
constexpr quint8 kProtection = 0x1C;
constexpr quint8 kSignature = 0x12;

constexpr int kHeader = 9;
// Count byte, then the command and address bytes of a long frame.
constexpr int kCommandBytes = 4;
constexpr int kClocked = kCommandBytes + FlashProm::kPageSize;

} // namespace

FlashProm::FlashProm() : m_cells(qsizetype(kPages) * kPageSize, '\xFF') {}

quint8 FlashProm::reversed(quint8 byte) {
    quint8 out = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if ((byte & (1 << bit)) != 0) {
            out = static_cast<quint8>(out | (0x80 >> bit));
        }
    }
    return out;
}

int FlashProm::frameSize(quint8 countByte) {
    switch (countByte) {
    case 0x55: // PROM to the bridge
    case 0xAA: // PROM to the logic
    case 0x00: // reload the logic
        return kHeader + 1 + 2;
    case 0x01:
    case 0x02:
        return kHeader + 1 + 2 + 2;
    case 0x04:
        return kAnswerSize;
    default:
        return 0;
    }
}

bool FlashProm::busy(qint64 nowMs) {
    if (m_erasing && !m_eraseNeverEnds && nowMs >= m_eraseEndsAt) {
        m_erasing = false;
        m_wel = false;
        m_cells.fill('\xFF');
        m_programmedPages = 0;
    }
    return m_erasing;
}

quint8 FlashProm::status(qint64 nowMs) {
    const bool wip = busy(nowMs);
    return static_cast<quint8>(m_statusBits | (m_wel ? kWel : 0) | (wip ? kWip : 0));
}

QByteArray FlashProm::frame(const QByteArray& frame, qint64 nowMs) {
    const auto count = static_cast<quint8>(frame.at(kHeader));
    if (count == 0x55 || count == 0xAA) {
        m_enabled = count == 0x55;
        return {};
    }
    if (count != 0x01 && count != 0x02 && count != 0x04) {
        return {};
    }
    // What the PROM drives on its output while the bytes are clocked; nothing (all ones)
    // while the command goes in or when the PROM is not connected.
    QByteArray miso(kClocked, '\xFF');
    const QByteArray spi = frame.mid(kHeader + 1, count == 0x04 ? kClocked : count);
    if (m_enabled) {
        command(spi, nowMs, miso);
    }
    const quint8 opcode = reversed(static_cast<quint8>(spi.at(0)));
    if (count != 0x04 || (opcode != kReadStatus && opcode != kRead && opcode != kReadSignature)) {
        return {};
    }
    return frame.left(kHeader + 1) + miso + '\xFF' + "\r\n";
}

void FlashProm::command(const QByteArray& spi, qint64 nowMs, QByteArray& miso) {
    const auto at = [&spi](int i) { return reversed(static_cast<quint8>(spi.at(i))); };
    const quint8 opcode = at(0);
    const bool ready = !busy(nowMs);
    const auto address = [&] {
        return (qint64(at(1)) << 16 | qint64(at(2)) << 8 | at(3)) % m_cells.size();
    };
    switch (opcode) {
    case kWriteEnable:
        m_wel = m_wel || ready;
        break;
    case kWriteDisable:
        m_wel = m_wel && !ready;
        break;
    case kWriteStatus:
        if (ready && m_wel) {
            m_statusBits = at(1) & kWritableStatus;
            m_wel = false;
        }
        break;
    case kBulkErase:
        if (ready && m_wel && (m_statusBits & kProtection) == 0) {
            m_erasing = true;
            m_eraseEndsAt = nowMs + kEraseMs;
        }
        break;
    case kReadStatus:
        miso.fill(static_cast<char>(reversed(status(nowMs))));
        miso[0] = '\xFF';
        break;
    case kReadSignature:
        miso.replace(kCommandBytes, kPageSize, QByteArray(kPageSize, char(reversed(kSignature))));
        break;
    case kRead:
        if (ready && spi.size() == kClocked) {
            const qint64 start = address();
            for (int i = 0; i < kPageSize; ++i) {
                miso[kCommandBytes + i] = m_cells.at((start + i) % m_cells.size());
            }
        }
        break;
    case kPageProgram:
        if (ready && m_wel && spi.size() == kClocked) {
            // Within its page the address wraps, as the PROM's does.
            const qint64 start = address();
            const qint64 page = start / kPageSize;
            for (int i = 0; i < kPageSize; ++i) {
                const qint64 cell = page * kPageSize + (start + i) % kPageSize;
                m_cells[cell] = static_cast<char>(m_cells.at(cell) & spi.at(kCommandBytes + i));
            }
            m_wel = false;
            ++m_programs;
            m_programmedPages = qMax(m_programmedPages, static_cast<int>(page) + 1);
        }
        break;
    default:
        break;
    }
}

QByteArray FlashProm::restoredImage() const {
    QByteArray image = m_cells.left(qsizetype(m_programmedPages) * kPageSize);
    for (char& byte : image) {
        byte = static_cast<char>(reversed(static_cast<quint8>(byte)));
    }
    return image;
}
