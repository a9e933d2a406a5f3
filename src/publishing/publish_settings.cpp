#include "publishing/publish_settings.h"

#include "documents/settings_files.h"
#include "documents/text_files.h"
#include "documents/text_values.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <array>

namespace {

constexpr auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// The 256 characters of Windows-1252 by code, and their codes by character.
struct Windows1252 {
    std::array<QChar, 256> byCode;
    QHash<QChar, int> codes;

    Windows1252()
    {
        for (int code = 0; code < 256; ++code) {
            byCode[size_t(code)] = decodeText(QByteArray(1, char(code))).at(0);
            codes.insert(byCode[size_t(code)], code);
        }
    }
};

QString shifted(const QString &text, int step)
{
    static const Windows1252 table;
    QString result = text;
    for (QChar &c : result) {
        const auto code = table.codes.constFind(c);
        if (code != table.codes.cend())
            c = table.byCode[size_t((*code + step + 256) % 256)];
    }
    return result;
}

// The password file is created, or narrowed, to its owner before its text goes in; the
// atomic rewrite keeps the permissions of the file it replaces.
void makeOwnerOnly(const QString &path)
{
    if (QFileInfo(path).isSymLink())
        deleteFile(path); // its target is not ours to narrow
    QFile file(path);
    if (file.exists())
        file.setPermissions(ownerOnly);
    else if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly))
        file.close();
}

int checkBox(const QString &key, const QString &tableName, int defaultValue, int current)
{
    const QString text = readSetting(publishSettingKey(key, tableName));
    if (text.isEmpty())
        return defaultValue;
    return parseWholeNumber(text).value_or(current);
}

} // namespace

QString scramblePassword(const QString &text) { return shifted(text, 1); }

QString unscramblePassword(const QString &text) { return shifted(text, -1); }

QString publishSettingKey(const QString &key, const QString &tableName)
{
    return QStringLiteral("set-ftp-") + key + QChar('-') + tableName;
}

PublishSettings readPublishSettings(const QString &tableName, const PublishSettings &current)
{
    const auto text = [&](const char *key) {
        return readSetting(publishSettingKey(QLatin1String(key), tableName));
    };
    PublishSettings settings;
    settings.currSource = text("currSource");
    settings.sname = text("sname");
    settings.uname = text("uname");
    settings.sdir = text("sdir");
    settings.password = unscramblePassword(text("password"));
    settings.proxyname = text("proxyname");
    settings.preview = text("preview");
    settings.bypassproxy = text("bypassproxy");
    settings.passivemode =
        checkBox(QStringLiteral("passivemode"), tableName, 1, current.passivemode);
    settings.dontx = checkBox(QStringLiteral("dontx"), tableName, 0, current.dontx);
    return settings;
}

bool writePublishSettings(const QString &tableName, const PublishSettings &settings)
{
    const auto write = [&](const char *key, const QString &value) {
        return writeSetting(publishSettingKey(QLatin1String(key), tableName), value);
    };
    bool ok = write("sname", settings.sname);
    ok = write("uname", settings.uname) && ok;
    ok = write("sdir", settings.sdir) && ok;
    makeOwnerOnly(settingsPath(publishSettingKey(QStringLiteral("password"), tableName)));
    ok = write("password", scramblePassword(settings.password)) && ok;
    ok = write("proxyname", settings.proxyname) && ok;
    ok = write("bypassproxy", settings.bypassproxy) && ok;
    ok = write("passivemode", QString::number(settings.passivemode)) && ok;
    ok = write("dontx", QString::number(settings.dontx)) && ok;
    ok = write("preview", settings.preview) && ok;
    ok = write("currSource", settings.currSource) && ok;
    return ok;
}
