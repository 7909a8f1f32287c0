#include "binaryimageblock.h"

#include <QRandomGenerator>

namespace {
constexpr quint32 kUnusedBlockId = 0xFFFFFFFF;
constexpr int kSfiLength = 6;
const QByteArray kDataType = QByteArrayLiteral("application/octet-stream");
// Length, image length, status, device, channel and the data type's length field.
constexpr int kDescriptorFixedLength = 13;

// Seeded once, so that a restarted unit does not repeat the identifiers of its last run.
quint32 blockIdCounter = QRandomGenerator::global()->generate();

QByteArray sfiField(const QString& sfi) {
    QByteArray field = sfi.toLatin1().left(kSfiLength);
    field.append(kSfiLength - field.size(), '\0');
    return field;
}
} // namespace

namespace BinaryImageHelperNamespace {
QByteArray uintToByteArray(unsigned int value, int bytes) {
    QByteArray out(bytes, '\0');
    for (int i = bytes - 1; i >= 0; --i) {
        out[i] = char(value & 0xFF);
        value >>= 8;
    }
    return out;
}
} // namespace BinaryImageHelperNamespace

using BinaryImageHelperNamespace::uintToByteArray;

quint32 BinaryImageBlock::takeBlockId(quint32& counter) {
    if (counter == kUnusedBlockId) {
        counter = 0;
    }
    return counter++;
}

BinaryImageBlock::BinaryImageBlock(const QByteArray& image, const QString& source,
                                   const QString& destination, const QString& token)
    : BinaryImageBlock(image, source, destination, token, takeBlockId(blockIdCounter)) {}

BinaryImageBlock::BinaryImageBlock(const QByteArray& image, const QString& source,
                                   const QString& destination, const QString& token,
                                   quint32 blockId)
    : blockID(blockId) {
    const QByteArray statusText; // no status information
    const int descriptorLength =
        kDescriptorFixedLength + int(kDataType.size() + 1) + int(statusText.size() + 1);
    imageDescriptor = uintToByteArray(descriptorLength, 4) + uintToByteArray(image.size(), 4) +
                      uintToByteArray(0, 2) + uintToByteArray(0, 1) + uintToByteArray(0, 1) +
                      uintToByteArray(kDataType.size() + 1, 1) + kDataType + '\0' + statusText +
                      '\0';

    const qsizetype first = datagramLength - headerLength - imageDescriptor.size();
    const qsizetype further = datagramLength - headerLength;
    binrayImageDataFragments << image.left(first);
    for (qsizetype at = first; at < image.size(); at += further) {
        binrayImageDataFragments << image.mid(at, further);
    }

    QByteArray tokenField = token.toLatin1().left(kSfiLength - 1);
    tokenField.append(kSfiLength - tokenField.size(), '\0');
    imageHeader = tokenField + uintToByteArray(headerVersion, 2) + sfiField(source) +
                  sfiField(destination) + uintToByteArray(messageType, 2) +
                  uintToByteArray(blockID, 4);
}

QByteArray BinaryImageBlock::header(unsigned int number) const {
    return imageHeader + uintToByteArray(number, 4) +
           uintToByteArray(unsigned(getDatagramCount()), 4);
}

QByteArray BinaryImageBlock::getDatagram(unsigned int number) const {
    if (number >= unsigned(getDatagramCount())) {
        return {};
    }
    return header(number) + (number == 0 ? imageDescriptor : QByteArray()) +
           binrayImageDataFragments[qsizetype(number)];
}
