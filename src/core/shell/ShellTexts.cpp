#include "core/shell/ShellTexts.h"

namespace qw {

QString saveQuestionText(const QString& path)
{
    return QStringLiteral("Uložit změny v dokumentu - \"") + path + QStringLiteral("\"?");
}

QString windowCaption(const QString& path)
{
    return QStringLiteral("Quenwick - ") + path;
}

QString readOnlyText(const QString& caption)
{
    return caption + QStringLiteral(" (jen pro čtení)");
}

QString notTextQuestion(const QString& path)
{
    return QStringLiteral("Soubor \"%1\" nevypadá jako textový soubor. Otevřít přesto?").arg(path);
}

QString readOnlyTargetText(const QString& path)
{
    return QStringLiteral("Soubor \"%1\" je otevřen jen pro čtení. Uložte dokument pod jiným "
                          "jménem.")
        .arg(path);
}

QString caretPositionText(int line, int column)
{
    return QStringLiteral(" ř. ") + QString::number(line + 1) + QStringLiteral("  sl. ") +
           QString::number(column + 1);
}

QString modifiedText(bool modified)
{
    return modified ? QStringLiteral("Změněno") : QString();
}

QString typingModeText(bool overwrite)
{
    return overwrite ? QStringLiteral("Přepis") : QStringLiteral("Vkládání");
}

QString recentFileMissingText(const QString& path)
{
    return QStringLiteral("Soubor \"") + path + QStringLiteral("\" nebyl nalezen!");
}

QString cannotOpenText()
{
    return QStringLiteral("Soubor nelze otevřít!");
}

QString cannotSaveText(const QString& path, const QString& reason)
{
    return QStringLiteral("Soubor \"%1\" nelze uložit.\n%2").arg(path, reason);
}

} // namespace qw
