#include "platform/ui/ui_services.h"

namespace {

class SilentUiServices final : public UiServices {
public:
    void message(const QString &) override {}
    Answer askYesNo(const QString &) override { return Answer::No; }
    Answer askYesNoCancel(const QString &) override { return Answer::Cancel; }
    Answer askOkCancel(const QString &) override { return Answer::Cancel; }
    QString inputBox(const QString &, const QString &, const QString &, bool *ok) override
    {
        if (ok)
            *ok = false;
        return {};
    }
    QString fileDialog(const FileDialogRequest &) override { return {}; }
    QString chooseColor(const QString &) override { return {}; }
    std::optional<FontChoice> chooseFont(const FontPreset &) override { return std::nullopt; }
    void openInBrowser(const QString &, const QString &) override {}
    bool startDetached(const QString &, const QStringList &) override { return false; }
};

std::unique_ptr<UiServices> &installed()
{
    static std::unique_ptr<UiServices> services = std::make_unique<SilentUiServices>();
    return services;
}

} // namespace

UiServices &ui() { return *installed(); }

std::unique_ptr<UiServices> installUiServices(std::unique_ptr<UiServices> services)
{
    if (!services)
        services = std::make_unique<SilentUiServices>();
    installed().swap(services);
    return services;
}
