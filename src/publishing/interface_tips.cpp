#include "publishing/interface_tips.h"

#include <QStringList>

namespace {

QString lines(const QStringList &texts) { return texts.join(QStringLiteral("\r\n")); }

const QString dragTitle = QStringLiteral("Drag and drop XML");

} // namespace

namespace interface_tips {

TipText startInterface()
{
    return {QStringLiteral("Start creating Interface"), QStringLiteral("Map XPath items"),
            lines({QStringLiteral("Click here to add default Xpath Items."),
                   QStringLiteral("The purpose of Xpath Items is to let end-user of your table map "
                                  "different XML to your table."),
                   QStringLiteral("This is done by creating 'mapping' between your Xpath Items and "
                                  "end-user's XML."),
                   QStringLiteral("You're defining here 'the interface' - necessary set of Xpath "
                                  "items end-user needs to map")})};
}

TipText hierarchy()
{
    return {QStringLiteral("Xpath Item Relative Xpath"), QStringLiteral("Xpath Item (relative Xpath)"),
            lines({QStringLiteral("About hierarchy and Xpath Items under other items (four dots): "),
                   QStringLiteral("Xpath Item under another Xpath item will generate child nodes "),
                   QStringLiteral("(relative to parent) or an attribute. "),
                   QStringLiteral("Note the XSL code that shows exactly how Xpath Item hierarchy "
                                  "affects the "),
                   QStringLiteral("transformation of end-user XML to your Table's XML (which is the "
                                  "purpose of Table Interface)")})};
}

TipText itemsEliminated()
{
    return {QStringLiteral("Some Xpath Items eliminated"), QStringLiteral("Xpath Items"),
            lines({QStringLiteral("Some Xpaths were not included because they repeat (they are "
                                  "identical to other Xpaths)."),
                   QStringLiteral("You can include them manually if you need to.")})};
}

TipText dragXpathItem()
{
    return {QStringLiteral("Drag to create Xpath Item"), dragTitle,
            QStringLiteral("You can drag from XML tree directly to Xpath text field.")};
}

TipText dragMapItem()
{
    return {QStringLiteral("Drag to map Xpath Item in Call Interface"), dragTitle,
            QStringLiteral("You can drag from XML tree directly to row in Xpath Item mappings grid.")};
}

TipText enablingInterface()
{
    return {QStringLiteral("Enabling Call Interface for Table"), QStringLiteral("Enabling Call Interface"),
            lines({QStringLiteral("You have defined some or all Xpath Item mappings for Call Interface. "),
                   QStringLiteral("When you're ready to enable interface (and use your mappings), "
                                  "change 'Interface Used' property to 'True'. "),
                   QStringLiteral("Until you change it, interface mechanism is not used.")})};
}

} // namespace interface_tips
