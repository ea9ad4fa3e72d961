// libFuzzer target over the earlier version's record decoders: any bytes, cut into records of
// each layout's length the way a data file is read, and also handed over whole. A decoder must
// not crash and must not read past the bytes it is given (AddressSanitizer watches the input).
#include <cstddef>
#include <cstdint>
#include <span>

#include "tools/OldRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    dc::DecodeGolfer(bytes);
    dc::DecodeCourse(bytes);
    dc::DecodeRound(bytes, true);
    dc::DecodeRound(bytes, false);
    dc::DecodeAnsi(bytes);
    for (const int length :
         {dc::kGolferRecLen, dc::kCourseRecLen, dc::kRoundRecLenDbf, dc::kRoundRecLenGdb}) {
        const auto count = dc::RecordCount(static_cast<qint64>(size), length);
        for (qint64 n = 0; n < count; ++n) {
            const auto record = bytes.subspan(static_cast<size_t>(n * length), static_cast<size_t>(length));
            if (length == dc::kGolferRecLen) {
                if (const auto g = dc::DecodeGolfer(record)) (void)g->name.size();
            } else if (length == dc::kCourseRecLen) {
                dc::DecodeCourse(record);
            } else {
                if (const auto r = dc::DecodeRound(record, length == dc::kRoundRecLenGdb))
                    (void)r->notes.size();
            }
        }
    }
    return 0;
}
