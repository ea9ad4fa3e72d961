#include "shell/Global.h"

#include <QDirIterator>
#include <QFileInfo>

#include "platform/Desktop.h"
#include "platform/IniFile.h"
#include "shell/ProgramFolder.h"

namespace dc {

QString FindFileInTree(const QString& rootFolder, const QString& fileName) {
    try {
        const QFileInfo direct(rootFolder + "/" + fileName);
        if (direct.isFile()) return direct.absoluteFilePath();
        QDirIterator it(rootFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            if (it.fileName().compare(fileName, Qt::CaseInsensitive) == 0) return it.filePath();
        }
    } catch (...) {
    }
    return QString("");
}

QString ReadIniString(const QString& section, const QString& key, const QString& iniPath) {
    return ReadIniValue(section, key, iniPath);
}

QString HelpDocumentPath() { return ProgramFolder() + "/CV5.PDF"; }

namespace {
// The sound folder with exactly one separator before the file name.
QString SoundPath(const QString& multimediaPath, const QString& file) {
    QString folder = multimediaPath;
    if (!folder.isEmpty() && !folder.endsWith('/') && !folder.endsWith('\\')) folder += '/';
    return folder + file;
}
}  // namespace

void SoundCounter(int& count, const QString& multimediaPath) {
    ++count;
    if (count == 2) {
        PlaySoundFile(SoundPath(multimediaPath, "AllWrong.wav"));
    } else if (count >= 3) {
        PlaySoundFile(SoundPath(multimediaPath, "PayAttention.wav"));
        count = 0;
    }
}

}  // namespace dc
