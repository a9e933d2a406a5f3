#include "properties/gui/picker_dialogs.h"

#include "platform/widgets/gui/named_button.h"
#include "properties/sheet_commands.h"
#include "properties/value_encodings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

namespace {

QComboBox *choiceList(const char *name, const QStringList &items)
{
    auto *list = new QComboBox;
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(items);
    list->setCurrentIndex(-1);
    return list;
}

// Shared dialogs: one instance each, created on first use, gone with the window it
// belongs to.
template <typename Dialog> Dialog &sharedDialog(QPointer<Dialog> &instance, QWidget *owner)
{
    if (!instance)
        instance = new Dialog(owner);
    return *instance;
}

} // namespace

BorderPickerDialog::BorderPickerDialog(QWidget *parent)
    : QDialog(parent), val(choiceList("val", pixelChoices())),
      style(choiceList("style", borderStyles())), color(new QLineEdit)
{
    setObjectName(QStringLiteral("pix"));
    setWindowTitle(QStringLiteral("Select border"));
    color->setObjectName(QStringLiteral("color"));
    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Width:")), 0, 0);
    layout->addWidget(val, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("px")), 0, 2);
    layout->addWidget(new QLabel(QStringLiteral("Style:")), 1, 0);
    layout->addWidget(style, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Color:")), 2, 0);
    layout->addWidget(color, 2, 1);
    QPushButton *bcolor = namedButton("bcolor", QStringLiteral("Color"));
    layout->addWidget(bcolor, 2, 2);
    QPushButton *ok = namedButton("ok", QStringLiteral("OK"));
    QPushButton *closeit = namedButton("closeit", QStringLiteral("Cancel"));
    layout->addWidget(ok, 3, 1);
    layout->addWidget(closeit, 3, 2);
    ok->setDefault(true);
    connect(bcolor, &QPushButton::clicked, this, &BorderPickerDialog::bcolor_Click);
    connect(ok, &QPushButton::clicked, this, &BorderPickerDialog::ok_Click);
    connect(closeit, &QPushButton::clicked, this, &BorderPickerDialog::closeit_Click);
    connect(this, &QDialog::rejected, this, [this] { answer.clear(); }); // Esc
}

QString BorderPickerDialog::pick(const QString &value)
{
    load(value);
    exec();
    return answer;
}

void BorderPickerDialog::load(const QString &value)
{
    readChoices();
    choices.tryLoad(value);
    showChoices();
}

void BorderPickerDialog::readChoices()
{
    choices.width = val->currentText();
    choices.style = style->currentText();
    choices.colour = color->text();
}

void BorderPickerDialog::showChoices()
{
    val->setCurrentIndex(int(pixelChoices().indexOf(choices.width)));
    style->setCurrentIndex(int(borderStyles().indexOf(choices.style)));
    color->setText(choices.colour);
}

void BorderPickerDialog::ok_Click()
{
    readChoices();
    const std::optional<QString> value = choices.accept();
    showChoices();
    if (!value)
        return;
    answer = *value;
    accept();
}

void BorderPickerDialog::closeit_Click()
{
    answer.clear();
    reject();
}

void BorderPickerDialog::bcolor_Click() { color->setText(getColor(QString())); }

SizePickerDialog::SizePickerDialog(QWidget *parent)
    : QDialog(parent), val(choiceList("val", pixelChoices()))
{
    setObjectName(QStringLiteral("justpix"));
    setWindowTitle(QStringLiteral("Select value"));
    auto *layout = new QGridLayout(this);
    layout->addWidget(val, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("px")), 0, 1);
    QPushButton *ok = namedButton("ok", QStringLiteral("OK"));
    QPushButton *closeit = namedButton("closeit", QStringLiteral("Cancel"));
    layout->addWidget(ok, 1, 0);
    layout->addWidget(closeit, 1, 1);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &SizePickerDialog::ok_Click);
    connect(closeit, &QPushButton::clicked, this, &SizePickerDialog::closeit_Click);
    connect(this, &QDialog::rejected, this, [this] { answer.clear(); });
}

QString SizePickerDialog::pick(const QString &caption, const QString &value)
{
    setCaption(caption);
    load(value);
    exec();
    return answer;
}

void SizePickerDialog::setCaption(const QString &caption)
{
    setWindowTitle(caption);
    // Title bars draw in bold, beside an icon and up to four buttons.
    QFont bold = font();
    bold.setBold(true);
    const int buttons = 5 * style()->pixelMetric(QStyle::PM_TitleBarHeight);
    setMinimumWidth(QFontMetrics(bold).horizontalAdvance(caption) + buttons);
}

void SizePickerDialog::load(const QString &value)
{
    choice.size = val->currentText();
    choice.tryLoad(value);
    val->setCurrentIndex(int(pixelChoices().indexOf(choice.size)));
}

void SizePickerDialog::ok_Click()
{
    choice.size = val->currentText();
    const std::optional<QString> value = choice.accept();
    if (!value)
        return;
    answer = *value;
    accept();
}

void SizePickerDialog::closeit_Click()
{
    answer.clear();
    reject();
}

BorderPickerDialog &borderPickerDialog(QWidget *owner)
{
    static QPointer<BorderPickerDialog> instance;
    return sharedDialog(instance, owner);
}

SizePickerDialog &sizePickerDialog(QWidget *owner)
{
    static QPointer<SizePickerDialog> instance;
    return sharedDialog(instance, owner);
}
