#include "shipspeeds.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

bool ShipSpeeds::write(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QJsonObject speeds{
        {"stwLong", stwLong}, {"stwTra", stwTra}, {"sogLong", sogLong}, {"sogTra", sogTra}};
    file.write(QJsonDocument(speeds).toJson(QJsonDocument::Compact));
    return file.commit();
}

std::optional<ShipSpeeds> ShipSpeeds::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QJsonObject o = QJsonDocument::fromJson(file.readAll()).object();
    for (const char* key : {"stwLong", "stwTra", "sogLong", "sogTra"}) {
        if (!o.value(QLatin1String(key)).isDouble()) {
            return std::nullopt;
        }
    }
    return ShipSpeeds{o["stwLong"].toDouble(), o["stwTra"].toDouble(), o["sogLong"].toDouble(),
                      o["sogTra"].toDouble()};
}
