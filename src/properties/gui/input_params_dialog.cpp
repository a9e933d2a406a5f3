#include "properties/gui/input_params_dialog.h"

#include "platform/widgets/gui/grid_moves.h"
#include "platform/widgets/gui/named_button.h"
#include "properties/input_parameters.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>

InputParamsDialog::InputParamsDialog(QWidget *parent)
    : QDialog(parent), grid(new QTableWidget(0, 2)), Text1(new QLineEdit(grid->viewport()))
{
    setObjectName(QStringLiteral("inputParams"));
    setWindowTitle(QStringLiteral("Stylesheet Input Parameters"));
    grid->setObjectName(QStringLiteral("grid"));
    grid->setHorizontalHeaderLabels({QStringLiteral("Parameter Name"), QStringLiteral("Default Value")});
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->hide();
    Text1->installEventFilter(this);

    QPushButton *makenew = namedButton("makenew", QStringLiteral("New"), "New input parameter");
    QPushButton *removeit =
        namedButton("removeit", QStringLiteral("Delete"), "Delete input parameter");
    QPushButton *goup = namedButton("goup", QStringLiteral("Up"), "Move up");
    QPushButton *godown = namedButton("godown", QStringLiteral("Down"), "Move down");
    QPushButton *ok = namedButton("ok", QStringLiteral("OK"));
    QPushButton *closeit = namedButton("closeit", QStringLiteral("Cancel"));
    auto *layout = new QGridLayout(this);
    layout->addWidget(grid, 0, 0, 1, 6);
    layout->addWidget(new QLabel(QStringLiteral("Use Tab and Shift-Tab to quickly move about.")),
                      1, 0, 1, 6);
    int column = 0;
    for (QPushButton *push : {makenew, removeit, goup, godown, ok, closeit})
        layout->addWidget(push, 2, column++);
    resize(520, 300);
    grid->setColumnWidth(0, 520 / 4 - 2);

    connect(grid, &QTableWidget::cellClicked, this, [this] { openEditor(); });
    connect(makenew, &QPushButton::clicked, this, &InputParamsDialog::makenew_Click);
    connect(removeit, &QPushButton::clicked, this, &InputParamsDialog::removeit_Click);
    connect(goup, &QPushButton::clicked, this, &InputParamsDialog::goup_Click);
    connect(godown, &QPushButton::clicked, this, &InputParamsDialog::godown_Click);
    connect(ok, &QPushButton::clicked, this, &InputParamsDialog::ok_Click);
    connect(closeit, &QPushButton::clicked, this, &InputParamsDialog::closeit_Click);
}

void InputParamsDialog::edit(const QString &list)
{
    addXinp(list);
    exec();
}

void InputParamsDialog::addXinp(const QString &list)
{
    endEditing();
    grid->setRowCount(0);
    for (const InputParameter &row : unpackParameters(list))
        appendRow(row.name, row.value);
}

void InputParamsDialog::appendRow(const QString &name, const QString &value)
{
    const int row = grid->rowCount();
    grid->insertRow(row);
    setCell(row, 0, name);
    setCell(row, 1, value);
}

QString InputParamsDialog::cell(int row, int column) const
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

void InputParamsDialog::setCell(int row, int column, const QString &text)
{
    grid->setItem(row, column, new QTableWidgetItem(text));
}

QList<InputParameter> InputParamsDialog::rows() const
{
    QList<InputParameter> list;
    for (int row = 0; row < grid->rowCount(); ++row)
        list.append({cell(row, 0), cell(row, 1)});
    return list;
}

void InputParamsDialog::placeEditor()
{
    const int column = grid->currentColumn();
    const QRect rect = grid->visualRect(grid->model()->index(grid->currentRow(), column));
    Text1->setGeometry(rect.left(), rect.top(), grid->columnWidth(column) - 10, rect.height());
}

void InputParamsDialog::openEditor()
{
    const int row = grid->currentRow();
    const int column = grid->currentColumn();
    if (row < 0 || column < 0)
        return;
    isEditing = true;
    placeEditor();
    Text1->setText(cell(row, column));
    Text1->selectAll();
    Text1->show();
    Text1->raise();
    Text1->setFocus();
}

void InputParamsDialog::editorKey(bool enter, bool back)
{
    const GridCell at{grid->currentRow(), grid->currentColumn()};
    if (at.row < 0)
        return;
    if (at.column == 0 && !parameterNameAccepted(Text1->text()))
        return;
    setCell(at.row, at.column, cellText(Text1->text()));
    if (enter)
        return;
    const GridCell to = tabMove(at, grid->rowCount(), back);
    if (!(to == at)) {
        grid->setCurrentCell(to.row, to.column);
        grid->setFocus();
    }
    openEditor();
}

bool InputParamsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Tab:
            editorKey(false, key->modifiers() == Qt::ShiftModifier);
            return true;
        case Qt::Key_Backtab:
            editorKey(false, true);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            editorKey(true, false);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void InputParamsDialog::makenew_Click()
{
    appendRow(QStringLiteral("newParameter"), QString());
    grid->setCurrentCell(grid->rowCount() - 1, 0);
    openEditor();
}

void InputParamsDialog::keepEditorText()
{
    if (isEditing && grid->currentRow() >= 0)
        setCell(grid->currentRow(), grid->currentColumn(), cellText(Text1->text()));
}

void InputParamsDialog::endEditing()
{
    Text1->hide();
    isEditing = false;
}

void InputParamsDialog::removeit_Click()
{
    if (grid->rowCount() == 1)
        grid->setRowCount(0);
    else if (grid->currentRow() >= 0)
        grid->removeRow(grid->currentRow());
    // An open editor stays open, now over the current cell, so that the removed row's
    // text never reaches another row; with no row left it closes.
    if (!isEditing)
        return;
    if (grid->currentRow() >= 0)
        openEditor();
    else
        endEditing();
}

// An open editor moves with its row, its text not yet in the grid: the text goes to the
// moved row, which stays current.
void InputParamsDialog::moveCurrentRow(void (&move)(QTableWidget &))
{
    move(*grid);
    if (isEditing)
        placeEditor();
}

void InputParamsDialog::goup_Click() { moveCurrentRow(gridMoveUp); }

void InputParamsDialog::godown_Click() { moveCurrentRow(gridMoveDown); }

void InputParamsDialog::ok_Click()
{
    keepEditorText();
    const QList<InputParameter> list = rows();
    if (!parameterNamesAccepted(list))
        return;
    answer = packParameters(list);
    commitParameterList(answer);
    accept();
}

void InputParamsDialog::closeit_Click()
{
    answer.clear();
    reject();
}

InputParamsDialog &inputParamsDialog(QWidget *owner)
{
    static QPointer<InputParamsDialog> instance;
    if (!instance)
        instance = new InputParamsDialog(owner);
    return *instance;
}
