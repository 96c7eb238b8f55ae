#include "assets/system_programs.h"

#include <QStandardPaths>

QStringList systemProgramCandidates(const QString& name)
{
    const QString key = name.toLower();
    if (key == QLatin1String("notepad.exe"))
        return {QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"), QStringLiteral("kate"),
                QStringLiteral("mousepad"), QStringLiteral("xed"), QStringLiteral("pluma")};
    if (key == QLatin1String("pbrush.exe"))
        return {QStringLiteral("kolourpaint"), QStringLiteral("pinta"), QStringLiteral("gimp")};
    // The two scanning programs: one each, so that both can start where both exist.
    if (key == QLatin1String("kodakimg.exe"))
        return {QStringLiteral("simple-scan")};
    if (key == QLatin1String("wangimg.exe"))
        return {QStringLiteral("xsane"), QStringLiteral("skanlite")};
    return {};
}

QString systemProgramFor(const QString& name)
{
    const QStringList candidates = systemProgramCandidates(name);
    if (candidates.isEmpty())
        return name;
    for (const QString& candidate : candidates)
        if (!QStandardPaths::findExecutable(candidate).isEmpty())
            return candidate;
    return candidates.first();
}

QString makerWebPage()
{
    return QStringLiteral("https://www.quorvel.example/");
}

QString webOpener()
{
    return QStringLiteral("xdg-open");
}
