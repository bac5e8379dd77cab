#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace velmora {

MsgBoxResult Services::MsgBox(QWidget* parent, const QString& text, MsgBoxButtons buttons,
                              const QString& title) {
    return AskMessageBox(parent, text, buttons,
                         title.isEmpty() ? QString::fromLatin1(kProgramTitle) : title);
}

void Services::ShowHelp(QWidget* parent, const QString& helpFile) {
    const QFileInfo info(QDir::current(), helpFile);
    if (helpFile.isEmpty() || !info.isFile()) {
        MsgBox(parent, QStringLiteral("The help file %1 was not found.").arg(helpFile),
               MsgBoxButtons::OK);
        return;
    }
    if (!info.isReadable() || !OpenWithViewer(info.absoluteFilePath())) {
        MsgBox(parent, QStringLiteral("The help file %1 could not be opened.").arg(helpFile),
               MsgBoxButtons::OK);
    }
}

QString Services::dateText(const QDate& date) {
    return date.toString(QStringLiteral("MM-dd-yyyy"));
}

namespace {

QString QtPatterns(const QString& patterns) {
    QStringList list;
    for (const QString& piece : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString pattern = piece.trimmed();
        if (pattern.isEmpty()) {
            continue;
        }
        list << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
    }
    return list.isEmpty() ? QStringLiteral("*") : list.join(QLatin1Char(' '));
}

}  // namespace

QString QtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (filter.isEmpty()) {
        return {};
    }
    // Qt reads a filter's patterns from its last bracket, so a description that shows its
    // patterns already loses that bracket and gets the real ones.
    static const QRegularExpression trailingBracket(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(trailingBracket);
        description = description.trimmed();
        const QString patterns = QtPatterns(i + 1 < parts.size() ? parts[i + 1] : QString());
        if (description.isEmpty()) {
            description = patterns;
        }
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace velmora
