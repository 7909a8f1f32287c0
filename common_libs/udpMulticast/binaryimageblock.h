#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One raw sensor frame as an IEC 61162-450 binary image: a block of datagrams of at most
// 1400 bytes. Every datagram starts with the same 34-byte header (big-endian integers); the
// first one also carries the image descriptor:
//
//   0  "RaUdP" NUL        6 version (2) = 1       8 source SFI (6, NUL-padded)
//   14 destination (6)    20 message type (2) = 1 22 block id (4)
//   26 datagram number (4), 0 .. n-1              30 datagrams in the block n (4)
//   descriptor: length (4), image length (4), status (2) = 0, device (1) = 0, channel (1) = 0,
//               data type length (1) = 25, "application/octet-stream" NUL, status text NUL
//   then the image's fragment: 1327 bytes in the first datagram, 1366 in each further one.
class BinaryImageBlock {
public:
    static constexpr int datagramLength = 1400;
    static constexpr int headerLength = 34;
    static constexpr int headerVersion = 1;
    static constexpr int messageType = 1;

    BinaryImageBlock(const QByteArray& image, const QString& source, const QString& destination,
                     const QString& token);
    // With a given block identifier instead of the next one of the process.
    BinaryImageBlock(const QByteArray& image, const QString& source, const QString& destination,
                     const QString& token, quint32 blockId);

    // The next block identifier of `counter`, which steps on; 0xFFFFFFFF is never used.
    static quint32 takeBlockId(quint32& counter);

    int getDatagramCount() const { return int(binrayImageDataFragments.size()); }
    QByteArray getDatagram(unsigned int number) const;
    quint32 getBlockId() const { return blockID; }

private:
    QByteArray header(unsigned int number) const;

    quint32 blockID;
    QByteArray imageHeader; // the fixed first 26 bytes
    QByteArray imageDescriptor;
    QList<QByteArray> binrayImageDataFragments;
};

namespace BinaryImageHelperNamespace {
// The value big-endian in exactly `bytes` bytes; higher bytes are dropped.
QByteArray uintToByteArray(unsigned int value, int bytes);
} // namespace BinaryImageHelperNamespace
