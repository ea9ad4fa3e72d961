#include "tools/OldRecords.h"

#include <cstring>

namespace dc {

namespace {

// Code points of bytes 0x80 to 0x9F in Windows-1252; 0 where the code page defines nothing.
constexpr char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Little-endian readers at a byte offset; callers have checked the record's length.
int Int16At(std::span<const uint8_t> r, size_t at) {
    return static_cast<int16_t>(static_cast<uint16_t>(r[at] | (r[at + 1] << 8)));
}

float SingleAt(std::span<const uint8_t> r, size_t at) {
    const uint32_t bits =
        uint32_t(r[at]) | uint32_t(r[at + 1]) << 8 | uint32_t(r[at + 2]) << 16 | uint32_t(r[at + 3]) << 24;
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

QString TextAt(std::span<const uint8_t> r, size_t at, size_t width) {
    return DecodeAnsi(r.subspan(at, width));
}

QChar CharAt(std::span<const uint8_t> r, size_t at) { return DecodeAnsi(r.subspan(at, 1)).at(0); }

template <size_t N>
std::array<int, N> Int16sAt(std::span<const uint8_t> r, size_t at) {
    std::array<int, N> values{};
    for (size_t i = 0; i < N; ++i) values[i] = Int16At(r, at + 2 * i);
    return values;
}

}  // namespace

QString DecodeAnsi(std::span<const uint8_t> bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (uint8_t b : bytes) {
        if (b >= 0x80 && b < 0xA0) {
            const char16_t c = kCp1252High[b - 0x80];
            text += QChar(c ? c : char16_t(0xFFFD));
        } else {
            text += QChar(char16_t(b));  // the rest of the code page is Latin-1
        }
    }
    return text;
}

std::optional<OldGolferRec> DecodeGolfer(std::span<const uint8_t> r) {
    if (r.size() < size_t(kGolferRecLen)) return std::nullopt;
    return OldGolferRec{TextAt(r, 0, 20), CharAt(r, 20)};
}

std::optional<OldCourseRec> DecodeCourse(std::span<const uint8_t> r) {
    if (r.size() < size_t(kCourseRecLen)) return std::nullopt;
    OldCourseRec c;
    c.name = TextAt(r, 0, 30);
    for (size_t t = 0; t < 3; ++t) {
        c.rating[t] = SingleAt(r, 30 + 4 * t);
        c.slope[t] = Int16At(r, 42 + 2 * t);
    }
    c.hcpRank = Int16sAt<18>(r, 48);
    for (size_t h = 0; h < 18; ++h)
        for (size_t t = 0; t < 3; ++t) c.par[h][t] = Int16At(r, 84 + 2 * (h * 3 + t));
    return c;
}

std::optional<OldRoundRec> DecodeRound(std::span<const uint8_t> r, bool gdb) {
    if (r.size() < size_t(gdb ? kRoundRecLenGdb : kRoundRecLenDbf)) return std::nullopt;
    // The .GDB layout has a two characters longer date and one more flag before the hole data.
    const size_t d = gdb ? 2 : 0;
    OldRoundRec x;
    x.date = TextAt(r, 0, 8 + d);
    x.course = TextAt(r, 8 + d, 30);
    x.empty = r[8 + d] == 0;
    x.tee = CharAt(r, 38 + d);
    x.rating = SingleAt(r, 39 + d);
    x.slope = Int16At(r, 43 + d);
    size_t at = 45 + d;
    if (gdb) x.tournFlag = CharAt(r, at);  // .DBF: an unread byte here
    x.hcpFlag = CharAt(r, at + 1);
    at += 2;
    x.gameCost = SingleAt(r, at);
    x.cartCost = SingleAt(r, at + 4);
    x.otherCost = SingleAt(r, at + 8);
    x.notes = TextAt(r, at + 12, 59);
    at += 71;  // 118 (.DBF) or 120 (.GDB)
    x.gross = Int16sAt<18>(r, at);
    at += 72;  // past the gross strokes and 36 unread bytes
    x.hcpIndex = SingleAt(r, at);
    x.tHcpIndex = SingleAt(r, at + 4);
    if (gdb) {
        x.adjScore = Int16At(r, at + 8);
        x.parPutts = Int16sAt<18>(r, at + 10);
    }
    return x;
}

}  // namespace dc
