#include "properties/sheet_model.h"

namespace {

template <typename Item>
Item *findIn(Item &item, const QString &caption)
{
    if (item.caption == caption)
        return &item;
    for (auto &child : item.children) {
        if (Item *found = findIn(child, caption))
            return found;
    }
    return nullptr;
}

void visitChildren(const SheetItem &item, int depth,
                   const std::function<void(const SheetItem &, int)> &visit)
{
    for (const SheetItem &child : item.children) {
        visit(child, depth);
        visitChildren(child, depth + 1, visit);
    }
}

} // namespace

std::optional<Holder> holderOfRow(const QString &caption)
{
    static const std::pair<const char *, Holder> rows[] = {
        {"XSLT Input Parameters", Holder::txinp},
        {"Table Interface", Holder::tcomp},
        {"CSS Style", Holder::tcss},
        {"XSL Code", Holder::txsl},
        {"Table Scripts", Holder::txsl},
        {"Row (Debug)", Holder::debugTable_newColumn},
        {"Column (Debug)", Holder::debugTable_newAttribute},
    };
    for (const auto &[row, holder] : rows) {
        if (caption == QLatin1String(row))
            return holder;
    }
    return std::nullopt;
}

SheetItem categoryItem()
{
    SheetItem category;
    category.kind = SheetItem::Kind::Category;
    category.caption = QStringLiteral("Properties");
    category.style = EditStyle::None;
    return category;
}

SheetItem *SheetLayout::findItem(const QString &caption) { return findIn(category, caption); }

const SheetItem *SheetLayout::findItem(const QString &caption) const
{
    return findIn(category, caption);
}

void SheetLayout::forEachItem(const std::function<void(const SheetItem &, int)> &visit) const
{
    visitChildren(category, 0, visit);
}
