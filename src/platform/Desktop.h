#pragma once
// What the desktop does for the program: opening a document or web page with the user's chosen
// program, and playing a sound file without waiting. Tests replace both to record the calls.

#include <QString>
#include <functional>

namespace dc {

// Opens a file or URL with its associated program; false when nothing could open it.
bool OpenWithDesktop(const QString& fileOrUrl);
// Plays a sound file asynchronously; a missing file plays nothing and reports nothing.
void PlaySoundFile(const QString& path);

using DesktopOpener = std::function<bool(const QString&)>;
using SoundPlayer = std::function<void(const QString&)>;
void SetDesktopOpener(DesktopOpener opener);
void SetSoundPlayer(SoundPlayer player);

}  // namespace dc
