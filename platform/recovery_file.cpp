#include "platform/recovery_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QtEndian>
#include <array>

#include "platform/file_names.h"

namespace quorbex::platform {

namespace {

constexpr QByteArrayView MAGIC("QuorbexRecovery1");
constexpr qsizetype LENGTH_BYTES = 4;
constexpr qsizetype DIGEST_BYTES = 32;
// Paths and titles longer than this are no path or title of ours.
constexpr qsizetype NAME_LIMIT = 64 * 1024;

QByteArray Digest(QByteArrayView bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

void AppendPart(QByteArray& out, QByteArrayView part) {
    std::array<uchar, LENGTH_BYTES> length{};
    qToBigEndian(static_cast<quint32>(part.size()), length.data());
    out.append(reinterpret_cast<const char*>(length.data()), LENGTH_BYTES);
    out.append(part);
}

// Reads one length-prefixed part at position; nothing when it runs past end
// or past limit.
std::optional<QByteArrayView> TakePart(QByteArrayView bytes, qsizetype& position, qsizetype limit) {
    if (bytes.size() - position < LENGTH_BYTES) {
        return std::nullopt;
    }
    const qsizetype length = qFromBigEndian<quint32>(bytes.data() + position);
    position += LENGTH_BYTES;
    if (length > limit || length > bytes.size() - position) {
        return std::nullopt;
    }
    const QByteArrayView part = bytes.sliced(position, length);
    position += length;
    return part;
}

}  // namespace

QByteArray EncodeRecovery(const RecoveryData& data) {
    QByteArray out(MAGIC.data(), MAGIC.size());
    AppendPart(out, EncodeFileName(data.originalPath));
    AppendPart(out, EncodeFileName(data.title));
    AppendPart(out, data.diskHash.value_or(QByteArray()));
    AppendPart(out, data.image);
    out.append(Digest(out));
    return out;
}

std::optional<RecoveryData> DecodeRecovery(QByteArrayView bytes) {
    if (bytes.size() < MAGIC.size() + DIGEST_BYTES || !bytes.startsWith(MAGIC)) {
        return std::nullopt;
    }
    const QByteArrayView body = bytes.first(bytes.size() - DIGEST_BYTES);
    if (Digest(body) != bytes.last(DIGEST_BYTES)) {
        return std::nullopt;
    }
    qsizetype position = MAGIC.size();
    const auto path = TakePart(body, position, NAME_LIMIT);
    const auto title = path ? TakePart(body, position, NAME_LIMIT) : std::nullopt;
    const auto hash = title ? TakePart(body, position, DIGEST_BYTES) : std::nullopt;
    const auto image = hash ? TakePart(body, position, body.size()) : std::nullopt;
    if (!image || position != body.size() || (!hash->isEmpty() && hash->size() != DIGEST_BYTES)) {
        return std::nullopt;
    }
    RecoveryData data;
    data.originalPath = DecodeFileName(path->toByteArray());
    data.title = DecodeFileName(title->toByteArray());
    if (!hash->isEmpty()) {
        data.diskHash = hash->toByteArray();
    }
    data.image = image->toByteArray();
    return data;
}

QString RecoveryFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state)) {
        state = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return QDir(state).filePath(QStringLiteral("quorbex"));
}

}  // namespace quorbex::platform
