#include "properties/gui/property_sheet_window.h"

#include "documents/once_only_tips.h"
#include "documents/workspace.h"
#include "platform/widgets/gui/property_grid.h"
#include "properties/commit_props.h"
#include "properties/fill_props.h"
#include "properties/gui/code_editor_window.h"
#include "properties/gui/input_params_dialog.h"
#include "properties/gui/picker_dialogs.h"
#include "properties/property_sheets.h"
#include "properties/remembered_row.h"
#include "properties/sheet_commands.h"
#include "properties/sheet_selection.h"

#include <QVBoxLayout>

namespace {

GridItem::Kind gridKind(SheetItem::Kind kind)
{
    switch (kind) {
    case SheetItem::Kind::Category:
        return GridItem::Kind::Category;
    case SheetItem::Kind::Group:
        return GridItem::Kind::Group;
    case SheetItem::Kind::Row:
        break;
    }
    return GridItem::Kind::Row;
}

GridItem::Edit gridEdit(EditStyle style)
{
    switch (style) {
    case EditStyle::None:
        return GridItem::Edit::None;
    case EditStyle::Typed:
        return GridItem::Edit::Typed;
    case EditStyle::Button:
        return GridItem::Edit::Button;
    case EditStyle::TypedButton:
        return GridItem::Edit::TypedButton;
    case EditStyle::List:
        break;
    }
    return GridItem::Edit::List;
}

GridItem gridItemOf(const SheetItem &item)
{
    GridItem grid{gridKind(item.kind), item.caption, item.value, item.help,
                  gridEdit(item.style), item.restrictToList, item.choices, item.readOnly, {}};
    for (const SheetItem &child : item.children)
        grid.children.push_back(gridItemOf(child));
    return grid;
}

const TipText plugInTip{
    QStringLiteral("Need to change Use Plug In XSLT"), QStringLiteral("Enable Plug-In XSLT"),
    QStringLiteral("To use the Plug In XSLT processor, you need to set 'Use Plug In XSLT' "
                   "property to True.\r\nYou can switch back and forth between Plug In and "
                   "Built-In processor (MSXML) by using this property\r\nIf you are using Table "
                   "Interfaces, you also must change 'node-set Call' property (to set the "
                   "supported function name and namespace)")};

} // namespace

PropertySheetWindow::PropertySheetWindow(int slot, QWidget *parent)
    : QWidget(parent), tableSlot(slot), props(new PropertyGrid(this))
{
    setObjectName(QStringLiteral("allProp"));
    props->setObjectName(QStringLiteral("props"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(props);
    connect(props, &PropertyGrid::gotFocus, this, [] { rememberProperty(); });
    connect(props, &PropertyGrid::lostFocus, this, [this] { props_LostFocus(); });
    connect(props, &PropertyGrid::selectionChanged, this, [](const QString &caption) {
        selectSheetRow(caption);
        rememberProperty();
    });
    connect(props, &PropertyGrid::valueChanged, this, &PropertySheetWindow::valueChanged);
    connect(props, &PropertyGrid::inplaceButtonDown, this, [](const QString &caption) {
        if (selectSheetRow(caption))
            inplaceButtonDown();
    });
    connect(props, &PropertyGrid::verbClick, this, [](int id) { verbClick(id); });
    workspace().views[size_t(slot)].allProp = this;
    showSheet();
}

PropertySheetWindow::~PropertySheetWindow()
{
    SlotViews &views = workspace().views[size_t(tableSlot)];
    if (views.allProp == this)
        views.allProp = nullptr;
}

void PropertySheetWindow::setLoading(bool loading) { propertySheet(tableSlot).isLoading = loading; }

void PropertySheetWindow::selectRow(const QString &caption) { props->selectCaption(caption); }

void PropertySheetWindow::fillProps() { ::fillProps(); }

void PropertySheetWindow::showSheet()
{
    const PropertySheet &sheet = propertySheet(tableSlot);
    props->setContent(gridItemOf(sheet.layout.category),
                      [&sheet] {
                          std::vector<GridVerb> verbs;
                          for (const SheetVerb &verb : sheet.layout.verbs)
                              verbs.push_back({verb.id, verb.caption});
                          return verbs;
                      }());
    props->selectCaption(workspace().tables[size_t(tableSlot)].selectedPropertyCaption);
    if (parentWidget())
        parentWidget()->setWindowTitle(sheet.caption);
}

void PropertySheetWindow::flushEditor() { props->flushEditor(); }

void PropertySheetWindow::props_InplaceButtonDown() { inplaceButtonDown(); }

QString PropertySheetWindow::pickBorder(const QString &value)
{
    return borderPickerDialog(window()).pick(value);
}

QString PropertySheetWindow::pickSize(const QString &caption, const QString &value)
{
    return sizePickerDialog(window()).pick(caption, value);
}

void PropertySheetWindow::showCodeEditor(int index, const QString &caption)
{
    CodeEditorWindow::of(index, window()).open(caption);
}

void PropertySheetWindow::showInputParams()
{
    inputParamsDialog(window()).edit(propertySheet(tableSlot).holder(Holder::txinp));
}

void PropertySheetWindow::valueChanged(const QString &caption, const QString &value)
{
    if (!putIntoRow(caption, value))
        return;
    updateProps();
    if (caption == QLatin1String("XSLT Command Line"))
        showTipAtControl(props, plugInTip);
}

void PropertySheetWindow::props_LostFocus() { commitOnFocusLoss(); }
