#include "StoreInitialiser.h"

#include "platform/Locale.h"
#include "platform/QtFileSystem.h"
#include "store/Paths.h"
#include "store/SettingsFiles.h"
#include "store/Store.h"

#include <QDir>
#include <QFileInfo>

QString StoreInitialiser::starterFont(const QStringList &families)
{
    for (const char *face : {"DejaVu Sans", "Liberation Sans", "Arial", "Noto Sans"}) {
        if (families.contains(QLatin1String(face)))
            return QLatin1String(face);
    }
    return families.isEmpty() ? QStringLiteral("Sans Serif") : families.first();
}

QStringList StoreInitialiser::create(QtFileSystem &fs, const QString &font, QString *error)
{
    QStringList created;
    auto fail = [&](const QString &what) {
        if (error && error->isEmpty())
            *error = what;
    };
    auto folder = [&](const QString &path) {
        const QString native = fs.nativePath(path);
        if (QFileInfo(native).isDir())
            return;
        if (QDir().mkpath(native))
            created.append(path);
        else
            fail(QStringLiteral("cannot create the folder ") + native);
    };
    auto file = [&](const QString &path, const QByteArray &bytes) {
        if (QFileInfo::exists(fs.nativePath(path)))
            return;
        folder(path.left(path.lastIndexOf(QLatin1Char('\\'))));
        if (const WriteResult made = fs.createNewFile(path, bytes))
            created.append(path);
        else
            fail(QStringLiteral("cannot create the file ") + fs.nativePath(path)
                 + QStringLiteral(": ") + made.reason());
    };
    // Nothing start-up would refuse to read is written (a font name longer
    // than a setting can be).
    auto value = [&](const QString &path, const QString &text) {
        if (Store::valueFits(text))
            file(path, Store::valueFileBytes(text));
        else if (!QFileInfo::exists(fs.nativePath(path)))
            fail(QStringLiteral("cannot create the file ") + fs.nativePath(path)
                 + QStringLiteral(", a setting cannot be longer than 64 KB"));
    };

    folder(Paths::installRoot());
    const Settings fresh = freshSettings(font);
    for (const SettingFile &setting : settingFiles()) {
        if (setting.form == SettingFile::Form::Value)
            value(setting.path, setting.of(fresh));
        else
            file(setting.path, setting.of(fresh).toUtf8());
    }
    file(Paths::integrationFile(), QByteArray());
    folder(Paths::supportToolsFolder());
    folder(Paths::quotesFolder());

    const QStringList upfronts{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                               QStringLiteral("6")};
    const QStringList mids{QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("36"),
                           QStringLiteral("48"), QStringLiteral("60")};
    const QStringList finals{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    // Rates are written as the rates setup window writes them: two decimals
    // with the decimal separator of the locale this runs in, which is the
    // user's, so that the user can pick them at once.
    const Locale locale;
    QStringList rates;
    for (const double rate : {22.5, 25.0, 27.5, 30.0, 32.5})
        rates.append(locale.fixed(rate));
    const struct {
        QString folder;
        const QStringList &entries;
    } lists[] = {{Paths::upfrontsFolder(), upfronts},
                 {Paths::midsFolder(), mids},
                 {Paths::finalsFolder(), finals},
                 {Paths::ratesFolder(), rates}};
    for (const auto &list : lists) {
        // A list folder that exists is the office's own: leave it as it is.
        if (QFileInfo(fs.nativePath(list.folder)).isDir())
            continue;
        folder(list.folder);
        for (const QString &entry : list.entries)
            file(Paths::entryFile(list.folder, entry), QByteArray());
    }
    return created;
}
