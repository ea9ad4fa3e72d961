#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <memory>

namespace dc {
namespace {
DesktopOpener& Opener() {
    static DesktopOpener opener;
    return opener;
}
SoundPlayer& Player() {
    static SoundPlayer player;
    return player;
}
}  // namespace

void SetDesktopOpener(DesktopOpener opener) { Opener() = std::move(opener); }
void SetSoundPlayer(SoundPlayer player) { Player() = std::move(player); }

bool OpenWithDesktop(const QString& fileOrUrl) {
    if (Opener()) return Opener()(fileOrUrl);
    const QUrl url = fileOrUrl.contains("://") ? QUrl(fileOrUrl) : QUrl::fromLocalFile(fileOrUrl);
    return QDesktopServices::openUrl(url);
}

void PlaySoundFile(const QString& path) {
    if (Player()) {
        Player()(path);
        return;
    }
    if (!QFileInfo::exists(path)) return;
    // One effect at a time, kept alive until the next sound replaces it.
    static std::unique_ptr<QSoundEffect> effect;
    effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(path));
    effect->play();
}

}  // namespace dc
