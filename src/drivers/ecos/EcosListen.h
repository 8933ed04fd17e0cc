// The ECoS drivers' list files in the project folder: the locomotive list ("EC2Loks.lda",
// "EC1Loks.lda", "CS1Loks.lda") and the accessory list ("EC2MagnetArt.ma2", ...), each a tree
// container with one top-level node per row. Plain functions; UI thread (they touch files).
#pragma once

#include "drivers/DriverContract.h"

#include <QString>
#include <optional>
#include <vector>

// Node records (int32 little-endian; text = int32 length + 8-bit characters):
//   locomotive: id, address, name, protocol, speed steps, registered, view, control, registered
//               again (bytes), symbol text, image name, symbol number, F1..F16 descriptions,
//               function flags as 16 characters "0"/"1" (F1 first)
//   accessory:  id, address, name, two integers, protocol
QByteArray EncodeLokRecord(const LokRecord& lok);
// Registered, view, control and in-database are reset on reading. nullopt when damaged.
std::optional<LokRecord> DecodeLokRecord(QByteArrayView bytes);
QByteArray EncodeMagRecord(const MagRecord& mag);
std::optional<MagRecord> DecodeMagRecord(QByteArrayView bytes);

struct LokListeGelesen {
    std::vector<LokRecord> loks;
    QString error; // German; empty on success
};
struct MagListeGelesen {
    std::vector<MagRecord> mags;
    QString error;
};

LokListeGelesen LokListeLesen(const QString& path);
MagListeGelesen MagListeLesen(const QString& path);
// Atomic; returns the German error text, empty on success.
QString LokListeSchreiben(const QString& path, const std::vector<LokRecord>& loks);
QString MagListeSchreiben(const QString& path, const std::vector<MagRecord>& mags);
