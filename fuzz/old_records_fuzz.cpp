// libFuzzer target over the earlier version's data files. The record decoders get any bytes, cut
// into records of each layout's length the way a data file is read, and also handed over whole;
// they must not crash nor read past the bytes they are given (AddressSanitizer watches the input).
// Then the same bytes, split into the four files of a folder (course, golfer, and a .GDB and a .DBF
// round file of a stored golfer), are planned as a whole conversion: nothing planned for the
// database may hold a control character.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "tools/ConversionPlan.h"
#include "tools/OldRecords.h"

namespace {

void Decoders(std::span<const uint8_t> bytes) {
    dc::DecodeGolfer(bytes);
    dc::DecodeCourse(bytes);
    dc::DecodeRound(bytes, true);
    dc::DecodeRound(bytes, false);
    dc::DecodeAnsi(bytes);
    for (const int length :
         {dc::kGolferRecLen, dc::kCourseRecLen, dc::kRoundRecLenDbf, dc::kRoundRecLenGdb}) {
        const auto count = dc::RecordCount(static_cast<qint64>(bytes.size()), length);
        for (qint64 n = 0; n < count; ++n) {
            const auto record = bytes.subspan(static_cast<size_t>(n * length), static_cast<size_t>(length));
            if (length == dc::kGolferRecLen) {
                if (const auto g = dc::DecodeGolfer(record)) (void)g->name.size();
            } else if (length == dc::kCourseRecLen) {
                dc::DecodeCourse(record);
            } else if (const auto r = dc::DecodeRound(record, length == dc::kRoundRecLenGdb)) {
                (void)r->notes.size();
            }
        }
    }
}

void RequirePlain(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0)) std::abort();
}

void Folder(std::span<const uint8_t> bytes) {
    if (bytes.size() < 6) return;
    // Three 16-bit lengths, then the four files one after the other (the last takes the rest).
    QList<dc::OldFile> files;
    size_t at = 6;
    const char* names[] = {"COURSE.GDB", "GOLFER.GDB", "SMITHJOH.GDB", "SMITHJOH.DBF"};
    for (int i = 0; i < 4; ++i) {
        const size_t left = bytes.size() - at;
        const size_t length = i < 3 ? (bytes[2 * i] | bytes[2 * i + 1] << 8) % (left + 1) : left;
        dc::OldFile f;
        f.name = names[i];
        f.bytes = QByteArray(reinterpret_cast<const char*>(bytes.data() + at), qsizetype(length));
        files.append(f);
        at += length;
    }
    // The golfer is stored (converted before), and the course of each file's first round is stored.
    // The golfer file begins with the round files' golfer, so that random rounds reach every rule.
    files[1].bytes.prepend(QByteArray("Smith, John         0"));
    dc::StoredData stored;
    stored.maxPlayerId = 1;
    stored.golfers["SMITHJOH"].append({1, "M", "Smith", "John"});
    stored.roundsOf = [](int) { return QHash<QString, QList<int>>(); };
    for (int i = 2; i < 4; ++i) {
        const bool gdb = i == 2;
        const auto* data = reinterpret_cast<const uint8_t*>(files[i].bytes.constData());
        const auto first = dc::DecodeRound({data, size_t(files[i].bytes.size())}, gdb);
        if (first) stored.courses.insert(first->course.left(20).trimmed().toUpper(), 1);
    }
    stored.maxCourseId = 1;
    for (int format = 0; format < 6; format += 5) {
        const dc::ConversionPlan plan = dc::PlanConversion(files, format, format == 5, stored);
        for (const auto& c : plan.courses)
            for (const QString& t :
                 {c.name, c.packed.TB, c.packed.MCR, c.packed.MSL, c.packed.MHCP, c.packed.MPARS})
                RequirePlain(t);
        for (const auto& p : plan.players) {
            RequirePlain(p.key);
            if (p.name) RequirePlain(p.name->last + p.name->first + p.name->mi.value_or(QString()));
        }
        for (const auto& r : plan.rounds) {
            RequirePlain(r.notes + r.par + r.putts + r.date.toString(Qt::ISODate));
            for (int g : r.gross)
                if (g < 0 || g > 99) std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    Decoders(bytes);
    Folder(bytes);
    return 0;
}
