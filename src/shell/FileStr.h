#pragma once
// Text helpers of the FILESTR module: quoting for statement texts and the import's short file key.

#include <QString>

namespace dc {

// The text with every apostrophe doubled (O'Neil's -> O''Neil''s).
QString FixQuotes(const QString& text);

// Up to 8 characters of the source, leaving out blanks, "." and ","; the walk covers as many
// positions of the untrimmed source as the trimmed source is long. keyLength is not used.
void CompactKey(const QString& source, int keyLength, QString& key);

}  // namespace dc
