#include "shell/FileStr.h"

namespace dc {

void CompactKey(const QString& source, int /*keyLength*/, QString& key) {
    key.clear();
    const int length = source.trimmed().size();
    int count = 0;
    for (int i = 0; i < length && i < source.size(); ++i) {
        const QChar c = source[i];
        if (c == ' ' || c == '.' || c == ',') continue;
        key += c;
        if (++count == 8) break;
    }
}

}  // namespace dc
