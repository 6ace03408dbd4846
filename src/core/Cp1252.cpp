#include "Cp1252.h"

#include <array>

namespace q42 {

namespace {

// 0x80-0x9F; 0 for the unused bytes.
constexpr std::array<char16_t, 32> kAltos{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QByteArray aCp1252(const QString& texto) {
    QByteArray out;
    out.reserve(texto.size());
    for (const QChar c : texto) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += char(u);
            continue;
        }
        char b = '?';
        for (std::size_t i = 0; i < kAltos.size(); ++i)
            if ((kAltos[i] != 0 && kAltos[i] == u) || (kAltos[i] == 0 && u == 0x80 + i))
                b = char(0x80 + i);
        out += b;
    }
    return out;
}

QString deCp1252(const QByteArray& bytes) {
    QString texto;
    texto.reserve(bytes.size());
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        const bool alto = u >= 0x80 && u < 0xA0 && kAltos[u - 0x80] != 0;
        texto += QChar(alto ? kAltos[u - 0x80] : char16_t(u));
    }
    return texto;
}

} // namespace q42
