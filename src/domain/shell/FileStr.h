#pragma once
// Text helper of the FILESTR module: the import's short file key.

#include <QString>

namespace dc {

// Up to 8 characters of the source, leaving out blanks, "." and ","; the walk covers as many
// positions of the untrimmed source as the trimmed source is long. keyLength is not used.
void CompactKey(const QString& source, int keyLength, QString& key);

}  // namespace dc
