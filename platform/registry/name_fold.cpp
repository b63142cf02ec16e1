#include "registry/name_fold.h"

#include <QString>

namespace {

bool IsValidUtf8(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = 0;
        uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF would not survive a round trip
        // through UTF-16, so they count as bytes.
        static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

std::string FoldName(const std::string& name) {
    bool ascii = true;
    for (const char c : name) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii || !IsValidUtf8(name)) {
        std::string folded = name;
        for (char& c : folded) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
        return folded;
    }
    // QString::toUpper maps one character to one or more; the registry keeps lengths, so
    // characters whose upper case is longer (ß -> SS) keep their own form.
    const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    QString folded;
    folded.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, width);
        const QString upper = one.toUpper();
        folded += upper.size() == one.size() ? upper : one;
        i += width;
    }
    const QByteArray bytes = folded.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}
