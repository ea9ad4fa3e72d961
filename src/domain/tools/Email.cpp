#include "tools/Email.h"

#include "records/PlayerStore.h"
#include "shell/Version.h"

namespace dc {
QString ErrorReportSubject() { return "Dado Corvy Error (CV" + VersionText() + ")"; }

QString NextToken(QString& text, const QString& delimiter) {
    const int p = text.indexOf(delimiter.left(1));
    if (delimiter.isEmpty() || p < 0) {
        QString all = text;
        text.clear();
        return all;
    }
    const QString token = text.left(p);
    text = text.mid(p + 1);
    return token;
}

void ClearRecipients(MailMessage& message) {
    message.to.clear();
    message.cc.clear();
}

void AddRecipients(const QString& list, MailMessage& message, RecipType type) {
    QString rest = list;
    while (!rest.isEmpty()) {
        const QString entry = NextToken(rest, ";").trimmed();
        if (entry.isEmpty()) continue;
        (type == kRecipCC ? message.cc : message.to) << entry;
    }
}

std::vector<MailMessage> ComposeMessages(const EmailDraft& draft, std::vector<int>* rows) {
    MailMessage base;
    base.subject = draft.subject;
    base.body = draft.body;
    base.attachments = draft.attachments;
    base.receiptRequested = draft.receipt;

    std::vector<MailMessage> messages;
    const QStringList toLists = draft.recipientList ? draft.addresses : QStringList{draft.to};
    bool ccSent = false;
    for (int row = 0; row < toLists.size(); ++row) {
        MailMessage message = base;
        ClearRecipients(message);
        AddRecipients(toLists[row], message, kRecipTo);
        if (message.to.isEmpty()) continue;
        if (!ccSent) AddRecipients(draft.cc, message, kRecipCC);
        ccSent = true;
        messages.push_back(message);
        if (rows) rows->push_back(row);
    }
    return messages;
}

FoundAddress FindAddressByName(PlayerStore& players, const QString& typed) {
    const std::vector<NameMatch> matches = players.SearchPlayers(typed);
    if (matches.empty()) return {};
    const NameMatch& first = matches.front();
    const auto player = players.LoadPlayerRec(first.PLAYER_ID);
    return {first.LAST_NAME + ", " + first.FIRST_NAME, player ? player->EMAIL : QString()};
}

}  // namespace dc
