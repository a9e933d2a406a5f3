#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

// What the property sheet shows: a strip of numbered commands (verbs) and one category,
// "Properties", holding rows and groups. The sheet window only renders this model.

// How a row's value is edited: typed in place, through its "..." button, both, or picked
// from its choice list. Groups and the category have no edit style.
enum class EditStyle { None, Typed, Button, TypedButton, List };

struct SheetItem {
    enum class Kind { Category, Group, Row };

    Kind kind = Kind::Row;
    QString caption;
    QString value;
    QString help;
    EditStyle style = EditStyle::Typed;
    bool restrictToList = false; // a list row accepts only its choices
    QStringList choices;
    bool readOnly = false;
    bool holdsProperty = false; // the row stands for a stored property (caption, "-", owner)
    bool shownFlat = false; // the value is the stored text shown without line breaks and Tabs
    std::vector<SheetItem> children; // a row with children is a heading row
};

struct SheetVerb {
    int id = 0;
    QString caption;
};

// The six hidden holders that keep long values whole while their rows show a short text.
enum class Holder { tcss, txsl, debugTable_newColumn, debugTable_newAttribute, txinp, tcomp };
constexpr int holderCount = 6;

// The holder whose text a row's commit takes instead of the row's value.
std::optional<Holder> holderOfRow(const QString &caption);

// The one category of every sheet, "Properties", as yet empty.
SheetItem categoryItem();

// The rows and verbs of one node's sheet, as the catalogue builds them.
struct SheetLayout {
    std::vector<SheetVerb> verbs;
    SheetItem category = categoryItem();

    // The item with this caption anywhere in the sheet, the category included; captions
    // are unique within a sheet.
    SheetItem *findItem(const QString &caption);
    const SheetItem *findItem(const QString &caption) const;
    // Every item below the category, depth first, with its depth (0 directly below it).
    void forEachItem(const std::function<void(const SheetItem &, int depth)> &visit) const;
};

// One slot's property sheet. The selected row is the slot document's
// selectedPropertyCaption.
struct PropertySheet {
    SheetLayout layout;
    QString currentElement; // key of the tree node whose sheet this is; "" for none
    bool isLoading = false; // true while a table file is read into the slot
    QString caption = QStringLiteral("Properties");
    std::array<QString, holderCount> holders{};

    QString &holder(Holder which) { return holders[size_t(which)]; }
    const QString &holder(Holder which) const { return holders[size_t(which)]; }
};
