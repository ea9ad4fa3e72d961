#pragma once
// Builds records of the earlier version's data files byte by byte, at the layouts' offsets.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>

namespace dc::test {

class RecordBytes {
  public:
    explicit RecordBytes(int length) : b_(length, '\0') {}
    // Text as Windows-1252 bytes (Latin-1 for these tests), blank-padded to the width.
    RecordBytes& Text(int at, int width, const QByteArray& text) {
        for (int i = 0; i < width; ++i) b_[at + i] = i < text.size() ? text[i] : ' ';
        return *this;
    }
    RecordBytes& Int16(int at, int value) {
        b_[at] = char(value & 0xFF);
        b_[at + 1] = char((value >> 8) & 0xFF);
        return *this;
    }
    RecordBytes& Single(int at, float value) {
        uint32_t bits;
        std::memcpy(&bits, &value, 4);
        for (int i = 0; i < 4; ++i) b_[at + i] = char((bits >> (8 * i)) & 0xFF);
        return *this;
    }
    const QByteArray& Bytes() const { return b_; }
    std::span<const uint8_t> Span() const {
        return {reinterpret_cast<const uint8_t*>(b_.constData()), size_t(b_.size())};
    }

  private:
    QByteArray b_;
};

// A file named by its path's bytes as they stand (a name in Windows-1252 is not UTF-8).
inline void WriteFile(const QByteArray& nativePath, const QByteArray& bytes) {
    FILE* f = std::fopen(nativePath.constData(), "wb");
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), f);
    std::fclose(f);
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    WriteFile(QFile::encodeName(path), bytes);
}

// A course record: name, ratings and slopes of tees 1 to 3, all pars `par`, ranks 1 to 18.
inline RecordBytes OldCourse(const QByteArray& name, int par = 4) {
    RecordBytes r(192);
    r.Text(0, 30, name);
    for (int t = 0; t < 3; ++t) r.Single(30 + 4 * t, 70.5f + t).Int16(42 + 2 * t, 120 + t);
    for (int h = 0; h < 18; ++h) {
        r.Int16(48 + 2 * h, h + 1);
        for (int t = 0; t < 3; ++t) r.Int16(84 + 2 * (h * 3 + t), par);
    }
    return r;
}

inline RecordBytes OldGolfer(const QByteArray& name, char gender = '0') {
    RecordBytes r(21);
    r.Text(0, 20, name);
    r.Text(20, 1, QByteArray(1, gender));
    return r;
}

// A round record: .GDB (238 bytes) or .DBF (200); gross `gross` on every hole, tee "1".
inline RecordBytes OldRound(bool gdb, const QByteArray& date, const QByteArray& course, int gross = 5) {
    const int d = gdb ? 2 : 0;
    RecordBytes r(gdb ? 238 : 200);
    r.Text(0, 8 + d, date).Text(8 + d, 30, course).Text(38 + d, 1, "1");
    r.Single(39 + d, 71.5f).Int16(43 + d, 125);
    if (gdb) r.Text(47, 1, "1");
    r.Text(46 + d, 1, "1");
    r.Single(47 + d, 30.0f).Single(51 + d, 12.5f).Single(55 + d, 0.0f).Text(59 + d, 59, "windy");
    for (int h = 0; h < 18; ++h) r.Int16(118 + d + 2 * h, gross);
    r.Single(190 + d, 12.3f).Single(194 + d, -100.0f);
    if (gdb) {
        r.Int16(200, 88);
        for (int h = 0; h < 18; ++h) r.Int16(202 + 2 * h, 24);
    }
    return r;
}

}  // namespace dc::test
