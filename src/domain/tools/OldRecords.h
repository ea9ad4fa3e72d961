#pragma once
// The records of the earlier version's data files: fixed-length binary records (little-endian
// 16-bit integers and singles, Windows-1252 text padded with blanks), decoded by plain functions
// over bytes. A record shorter than its type decodes to nothing; no decoder reads past its record.

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace dc {

inline constexpr int kGolferRecLen = 21;
inline constexpr int kCourseRecLen = 192;
inline constexpr int kRoundRecLenDbf = 200;
inline constexpr int kRoundRecLenGdb = 238;

struct OldGolferRec {
    QString name;  // 20 characters as stored
    QChar gender;  // "0" = man; a byte 0 reads as QChar(0)
};

struct OldCourseRec {
    QString name;                   // 30 characters as stored
    std::array<float, 3> rating{};  // tees 1 to 3
    std::array<int, 3> slope{};
    std::array<int, 18> hcpRank{};             // hole 1 first
    std::array<std::array<int, 3>, 18> par{};  // par[hole - 1][tee - 1]
};

struct OldRoundRec {
    QString date;        // 8 characters (.DBF) or 10 (.GDB)
    QString course;      // 30 characters
    bool empty = false;  // the course name begins with byte 0: a record never written
    QChar tee;           // "1", "2" or "3"
    float rating = 0;
    int slope = 0;
    std::optional<QChar> tournFlag;  // .GDB records only
    QChar hcpFlag;
    float gameCost = 0, cartCost = 0, otherCost = 0;
    QString notes;  // 59 characters
    std::array<int, 18> gross{};
    float hcpIndex = 0, tHcpIndex = 0;
    std::optional<int> adjScore;                  // .GDB records only
    std::optional<std::array<int, 18>> parPutts;  // .GDB records only: putts x 10 + par
};

// Par and putts of a .GDB round's combined value (24 gives par 4, 2 putts).
inline int ParOfCombined(int value) { return value % 10; }
inline int PuttsOfCombined(int value) { return value / 10; }

// Windows-1252 bytes as text (bytes 0x80 to 0x9F by the code page's table, undefined ones as U+FFFD).
QString DecodeAnsi(std::span<const uint8_t> bytes);

std::optional<OldGolferRec> DecodeGolfer(std::span<const uint8_t> record);
std::optional<OldCourseRec> DecodeCourse(std::span<const uint8_t> record);
// `gdb` picks the 238-byte layout, else the 200-byte one.
std::optional<OldRoundRec> DecodeRound(std::span<const uint8_t> record, bool gdb);

// Whole records in a file of that length; a trailing partial record does not count.
inline qint64 RecordCount(qint64 fileLength, int recordLength) { return fileLength / recordLength; }

}  // namespace dc
