#include "platform/file_names.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>

namespace quorbex::platform {

namespace {

constexpr char16_t ESCAPE_BASE = 0xDC00;

// The length of the UTF-8 sequence at bytes[i] and its code point, or 0
// when the bytes there are not UTF-8.
int Utf8Sequence(const QByteArray& bytes, qsizetype i, char32_t& code) {
    const auto byte = [&bytes](qsizetype at) { return static_cast<unsigned char>(bytes[at]); };
    const unsigned char lead = byte(i);
    int length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) {
        return 0;
    }
    for (int k = 1; k < length; ++k) {
        const unsigned char next = byte(i + k);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

}  // namespace

QString DecodeFileName(const QByteArray& bytes) {
    QString name;
    name.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t code = 0;
        const int length = Utf8Sequence(bytes, i, code);
        if (length == 0) {
            name.append(
                QChar(static_cast<char16_t>(ESCAPE_BASE + static_cast<unsigned char>(bytes[i]))));
            ++i;
        } else {
            name.append(QString::fromUcs4(&code, 1));
            i += length;
        }
    }
    return name;
}

QByteArray EncodeFileName(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype start = 0;  // of the text not yet encoded
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        // The second half of a surrogate pair is a character's, not a byte's.
        const bool pairEnds = i > 0 && name[i - 1].isHighSurrogate();
        if (unit >= ESCAPE_BASE + 0x80 && unit <= ESCAPE_BASE + 0xFF && !pairEnds) {
            bytes.append(name.sliced(start, i - start).toUtf8());
            bytes.append(static_cast<char>(unit - ESCAPE_BASE));
            start = i + 1;
        }
    }
    bytes.append(name.sliced(start).toUtf8());
    return bytes;
}

bool QtCanName(const QString& path) {
    return QFile::encodeName(path) == EncodeFileName(path);
}

QtFolder::QtFolder(const QString& folder) {
    if (QtCanName(folder)) {
        m_path = folder;
        return;
    }
    m_descriptor = ::open(EncodeFileName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (m_descriptor >= 0) {
        m_path = QStringLiteral("/proc/self/fd/%1").arg(m_descriptor);
    }
}

QtFolder::~QtFolder() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
    }
}

}  // namespace quorbex::platform
