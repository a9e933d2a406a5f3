// The XML tree of a document: captions by node kind, Xpaths, and the expand rule.
#include "designer/xml_document.h"
#include "designer/xml_tree_model.h"
#include "designer/xpath_of_node.h"
#include "documents/text_files.h"
#include "platform/xslt/xslt_transform.h"
#include "support/file_bytes.h"
#include "support/temp_home.h"

#include <QMimeData>
#include <gtest/gtest.h>

namespace {

// The tree as tvktool prints it: two blanks per depth, the caption, Tab, the Xpath.
void print(const XmlTree &tree, int node, int depth, QStringList &lines)
{
    lines << QString(depth * 2, ' ') + tree.caption(node) + "\t" + xpathOfNode(tree, node);
    for (int row = 0; row < tree.childCount(node); ++row)
        print(tree, tree.child(node, row), depth + 1, lines);
}

struct Parsed {
    XmlTreeParse result;
    QStringList lines; // the nodes below the document node
};

Parsed parseText(const TempHome &home, const QByteArray &xml)
{
    const QString path = home.file("doc.xml");
    EXPECT_TRUE(writeBytes(path, xml));
    Parsed parsed{parseNow(path), {}};
    if (const auto &tree = parsed.result.tree) {
        EXPECT_EQ(tree->caption(XmlTree::documentNode), path);
        EXPECT_EQ(xpathOfNode(*tree, XmlTree::documentNode), "/");
        for (int row = 0; row < tree->childCount(XmlTree::documentNode); ++row)
            print(*tree, tree->child(XmlTree::documentNode, row), 0, parsed.lines);
    }
    return parsed;
}

// A document declared in that encoding, its text encoded so; UTF-16 with its byte order mark.
QByteArray declaredIn(const QString &encoding, const QString &body)
{
    const QString text = "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\n" + body;
    if (encoding == "UTF-16")
        return QByteArray("\xFF\xFE") +
               QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    if (encoding == "UTF-8")
        return text.toUtf8();
    return text.toLatin1();
}

QStringList declaredLines(const QString &encoding, const QString &value)
{
    return {"<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\t/<?xml version", "a\t/a",
            "  @b=" + value + "\t/a/@b"};
}

struct CaptionCase {
    const char *name;
    QByteArray xml;
    QStringList lines;
};

} // namespace

TEST(XmlTree, CaptionsOfEveryNodeKind)
{
    const CaptionCase cases[] = {
        {"element text and attribute", "<a x='1'>hi</a>", {"a=hi\t/a", "  @x=1\t/a/@x"}},
        {"texts around a child", "<a>x<b/>y</a>", {"a=x=y\t/a", "  b\t/a/b"}},
        {"breaks and tabs removed, blanks kept", "<a>one\r\n\ttwo  three</a>",
         {"a=onetwo  three\t/a"}},
        {"whitespace-only text dropped", "<a>\n  <b/>\n</a>", {"a\t/a", "  b\t/a/b"}},
        {"attribute value with = and entity", "<a v='p=q&amp;r'/>", {"a\t/a", "  @v=p=q&r\t/a/@v"}},
        {"CDATA keeps its line breaks", "<a><![CDATA[l1\nl2]]></a>",
         {"a\t/a", "  l1\nl2\t/a/l1\nl2"}},
        {"empty CDATA is left out", "<a><![CDATA[]]></a>", {"a\t/a"}},
        {"the XML declaration is the first node, as written",
         "<?xml version='1.0'  standalone='yes' ?><a/>",
         {"<?xml version='1.0'  standalone='yes'?>\t/<?xml version", "a\t/a"}},
        {"declaration first in windows-1252", declaredIn("windows-1252", "<a b='caf\u00e9'/>"),
         declaredLines("windows-1252", "caf\u00e9")},
        {"declaration first in ISO-8859-1", declaredIn("ISO-8859-1", "<a b='\u00e0'/>"),
         declaredLines("ISO-8859-1", "\u00e0")},
        {"declaration first in US-ASCII", declaredIn("US-ASCII", "<a b='c'/>"),
         declaredLines("US-ASCII", "c")},
        {"declaration first in UTF-16", declaredIn("UTF-16", "<a b='\u00e9\u20ac'/>"),
         declaredLines("UTF-16", "\u00e9\u20ac")},
        {"declaration first in UTF-8", declaredIn("UTF-8", "<a b='\u20ac'/>"),
         declaredLines("UTF-8", "\u20ac")},
        {"a processing instruction named like the declaration is none", "<?xml-stylesheet href='s'?><a/>",
         {"<?xml-stylesheet href='s'?>\t/<?xml-stylesheet href", "a\t/a"}},
        {"comment and processing instruction", "<a><!-- c=d --><?pi x=1?></a>",
         {"a\t/a", "  <!-- c=d -->\t/a/<!-- c", "  <?pi x=1?>\t/a/<?pi x"}},
        {"namespace declaration and prefixes", "<p:a xmlns:p='urn:p' p:b='2'/>",
         {"p:a\t/p:a", "  @xmlns:p=urn:p\t/p:a/@xmlns:p", "  @p:b=2\t/p:a/@p:b"}},
        {"namespace name and attribute value with &", "<a xmlns:p='urn:x?a=1&amp;b=2' v='&#38;#38;'/>",
         {"a\t/a", "  @xmlns:p=urn:x?a=1&b=2\t/a/@xmlns:p", "  @v=&#38;\t/a/@v"}},
        {"namespace declarations among the attributes in document order",
         "<a x='1' xmlns:p=\"urn:p\"\n p:y='2>' xmlns='urn:d'/>",
         {"a\t/a", "  @x=1\t/a/@x", "  @xmlns:p=urn:p\t/a/@xmlns:p", "  @p:y=2>\t/a/@p:y",
          "  @xmlns=urn:d\t/a/@xmlns"}},
        {"defaulted attributes after the written ones",
         "<!DOCTYPE a [<!ATTLIST a d CDATA 'dv' xmlns:z CDATA 'urn:z'>]><a x='1' xmlns:p='urn:p' y='2'/>",
         {"DOCTYPE a\t/DOCTYPE a", "a\t/a", "  @x=1\t/a/@x", "  @xmlns:p=urn:p\t/a/@xmlns:p",
          "  @y=2\t/a/@y", "  @xmlns:z=urn:z\t/a/@xmlns:z", "  @d=dv\t/a/@d"}},
        {"doctype with entity and notation",
         "<!DOCTYPE a [<!ENTITY e SYSTEM 'e.gif' NDATA g><!NOTATION g PUBLIC 'pg' 's.exe'>"
         "<!ENTITY i 'x'>]><a/>",
         {"DOCTYPE a\t/DOCTYPE a", "  <!ENTITY e SYSTEM 'e.gif' NDATA g>\t/DOCTYPE a/<!ENTITY e SYSTEM 'e.gif' NDATA g>",
          "  <!NOTATION g PUBLIC 'pg' 's.exe'>\t/DOCTYPE a/<!NOTATION g PUBLIC 'pg' 's.exe'>",
          "  <!ENTITY i>\t/DOCTYPE a/<!ENTITY i>", "a\t/a"}},
        {"entity references stay unsubstituted, twice over",
         "<!DOCTYPE a [<!ENTITY e 'hello <b>x</b>'>]><a>before &e; mid &e;</a>",
         {"DOCTYPE a\t/DOCTYPE a", "  <!ENTITY e>\t/DOCTYPE a/<!ENTITY e>",
          "a=before = mid \t/a", "  &e;\t/a/&e;", "  &e;\t/a/&e;"}},
    };
    for (const CaptionCase &c : cases) {
        TempHome home;
        EXPECT_EQ(parseText(home, c.xml).lines, c.lines) << c.name;
    }
}

TEST(XmlTree, DocumentElementComesPastTheNodesBeforeIt)
{
    const std::pair<QByteArray, int> cases[] = {
        {"<a/>", 0},
        {"<?xml version='1.0'?><a/>", 1},
        {"<?xml version='1.0'?><!-- c --><?pi x?><!DOCTYPE a [<!ENTITY e 'x'>]><a>&e;</a>", 4},
    };
    for (const auto &[xml, row] : cases) {
        TempHome home;
        const auto tree = parseText(home, xml).result.tree;
        ASSERT_TRUE(tree) << xml.constData();
        EXPECT_EQ(tree->documentElement(), tree->child(XmlTree::documentNode, row)) << xml.constData();
    }
}

TEST(XmlTree, XpathsOfSiblingsAndAttributes)
{
    TempHome home;
    const Parsed parsed = parseText(
        home, "<catalog><item id='7'><price>12.50</price></item><item id='8'/></catalog>");
    EXPECT_EQ(parsed.lines, (QStringList{"catalog\t/catalog", "  item\t/catalog/item",
                                         "    @id=7\t/catalog/item/@id",
                                         "    price=12.50\t/catalog/item/price",
                                         "  item\t/catalog/item", "    @id=8\t/catalog/item/@id"}));
}

TEST(XmlTree, ModelDragsTheXpathAsPlainTextAndOnlyMoves)
{
    TempHome home;
    const Parsed parsed = parseText(home, "<catalog><item id='7'/></catalog>");
    XmlTreeModel model;
    model.setTree(parsed.result.tree);
    ASSERT_EQ(model.rowCount(), 1);
    const QModelIndex document = model.index(0, 0);
    const QModelIndex item = model.index(0, 0, model.index(0, 0, document));
    const QModelIndex id = model.index(0, 0, item);
    EXPECT_EQ(model.data(id).toString(), "@id=7");
    EXPECT_EQ(model.parent(id), item);
    std::unique_ptr<QMimeData> mime(model.mimeData({id}));
    EXPECT_EQ(mime->text(), "/catalog/item/@id");
    EXPECT_EQ(model.supportedDragActions(), Qt::MoveAction);
    EXPECT_FALSE(model.flags(id) & Qt::ItemIsDropEnabled);

    const Parsed longText = parseText(home, "<t>" + QByteArray(5000, 'x') + "</t>");
    model.setTree(longText.result.tree);
    const QModelIndex t = model.index(0, 0, model.index(0, 0));
    const QString shown = "t=" + QString(998, 'x') + QChar(0x2026);
    EXPECT_EQ(model.data(t).toString(), shown);
    EXPECT_EQ(model.data(t, Qt::ToolTipRole).toString(), shown);
    EXPECT_EQ(longText.lines.value(0), "t=" + QString(5000, 'x') + "\t/t") << "Xpaths see it whole";

    model.setTree(parsed.result.tree);
    XmlTreeModel copy;
    copyTree(model, copy);
    EXPECT_EQ(copy.data(copy.index(0, 0)).toString(), home.file("doc.xml"));
    EXPECT_EQ(copy.rowCount(copy.index(0, 0)), 1);
}

// The XML window opens exactly the documents the built-in transform reads: elements nested
// up to 2,048 levels, texts (CDATA included) up to 10,000,000 bytes.
TEST(XmlTree, OpensTheDocumentsTheTransformReads)
{
    TempHome home;
    const auto nested = [](int depth) {
        return QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth);
    };
    const auto text = [](const QByteArray &inside) { return "<a>" + inside + "</a>"; };
    const QByteArray half(5000000, 'x');
    const struct {
        const char *name;
        QByteArray xml;
        const char *refusal; // "": the document opens
    } cases[] = {
        {"2,048 levels", nested(2048), ""},
        {"2,049 levels", nested(2049), "Excessive depth in document"},
        {"a text of 10,000,000 bytes", text(half + half), ""},
        {"a longer text", text(half + half + "x"), "huge text node"},
        {"text and CDATA together longer", text(half + "<![CDATA[" + half + half + "]]>"),
         "huge text node"},
        {"texts apart", text(half + half + "<b/>" + half + half), ""},
    };
    const QString depthAndLength =
        "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
        "<xsl:output method='text'/><xsl:template match='/'>"
        "<xsl:value-of select='count(//*)'/></xsl:template></xsl:stylesheet>";
    for (const auto &c : cases) {
        const Parsed parsed = parseText(home, c.xml);
        const XsltOutcome outcome =
            runXslt(home.file("doc.xml"), depthAndLength, home.file("count.xsl"));
        if (*c.refusal == 0) {
            EXPECT_TRUE(parsed.result.tree) << c.name << parsed.result.error.reason.toStdString();
            EXPECT_EQ(outcome.failure, XsltOutcome::Failure::None) << c.name;
            continue;
        }
        EXPECT_FALSE(parsed.result.tree) << c.name;
        EXPECT_TRUE(parsed.result.error.reason.contains(c.refusal))
            << c.name << parsed.result.error.reason.toStdString();
        EXPECT_EQ(outcome.failure, XsltOutcome::Failure::XmlDocument) << c.name;
        EXPECT_TRUE(outcome.reason.contains(c.refusal)) << c.name << outcome.reason.toStdString();
    }
}

TEST(XmlTree, FewerThanAHundredNodesExpandFully)
{
    TempHome home;
    // The document node, the root and n - 2 attribute nodes.
    const auto withNodes = [&home](int n) {
        QByteArray xml = "<r";
        for (int i = 0; i < n - 2; ++i)
            xml += " a" + QByteArray::number(i) + "='v'";
        return parseText(home, xml + "/>").result.tree;
    };
    EXPECT_EQ(nodesToExpand(*withNodes(99)).size(), 99u);
    EXPECT_EQ(nodesToExpand(*withNodes(100)), std::vector<int>{XmlTree::documentNode});
}

// The message names the file, quotes the line and says in plain words what is wrong there.
TEST(XmlTree, FailureNamesTheFileLineReasonAndPosition)
{
    TempHome home;
    const struct {
        QByteArray xml;
        int line;
        const char *source, *reason;
    } cases[] = {
        {"<a>\n  <b>\n</a>", 3, "</a>", "The end tag </a> does not close the element \"b\" begun on line 2."},
        {"<a>\nPrice & VAT</a>", 2, "Price & VAT</a>",
         "A \"&\" that begins no reference: write a \"&\" in text as \"&amp;\"."},
        {"<a>&nbsp;</a>", 1, "<a>&nbsp;</a>",
         "The entity \"&nbsp;\" is not defined: XML itself knows only &amp; &lt; &gt; &quot; and "
         "&apos;, and a character can be written by its number, as &#160;."},
        {"<a x='1 < 2'/>", 1, "<a x='1 < 2'/>",
         "An attribute value holds a \"<\", or its closing quote is missing: write a \"<\" in a "
         "value as \"&lt;\"."},
        {"<a/>\n<b/>", 2, "<b/>",
         "Something follows the end of the root element: an XML document has exactly one root "
         "element."},
        {"<a>\n<b>", 2, "<b>", "Nothing closes the element \"b\" begun on line 2."},
        {"<p:a/>", 1, "<p:a/>", "The prefix \"p\" is not declared: no xmlns:p=\"...\" is in force here."},
        {"<a><!-- x -- y --></a>", 1, "<a><!-- x -- y --></a>",
         "A comment holds \"--\", which XML does not allow inside a comment."},
    };
    for (const auto &c : cases) {
        const Parsed parsed = parseText(home, c.xml);
        ASSERT_FALSE(parsed.result.tree) << c.xml.constData();
        const XmlLoadError &error = parsed.result.error;
        EXPECT_EQ(error.sourceText, c.source) << c.xml.constData();
        EXPECT_EQ(error.line, c.line) << c.xml.constData();
        EXPECT_EQ(xmlErrorMessage(error),
                  "Error in XML file: " + home.file("doc.xml") + "\r\n\r\nSource Text: " + c.source +
                      "\r\n\r\nError: " + c.reason + "\r\nLine #: " + QString::number(c.line) +
                      " (position in file: " + QString::number(error.filePos) +
                      ")\r\n\r\nCorrect above error and try again.");
    }
}

// Of a long line (a minified file) 200 characters around the error point are quoted.
TEST(XmlTree, FailureQuotesTheLinePartAroundTheError)
{
    TempHome home;
    const QByteArray cells = QByteArray("<c>v</c>").repeated(100000);
    const struct {
        const char *name;
        QByteArray xml;
    } cases[] = {
        {"at the start", "<r><c>v</d>" + cells + "</r>"},
        {"in the middle", "<r>" + cells + "<c>v</d>" + cells + "</r>"},
        {"at the end", "<r>" + cells + "</d>"},
    };
    for (const auto &c : cases) {
        const XmlLoadError error = parseText(home, c.xml).result.error;
        EXPECT_EQ(error.line, 1) << c.name;
        const qsizetype from = std::clamp<qsizetype>(error.filePos - 100, 0, c.xml.size() - 200);
        EXPECT_EQ(error.sourceText, QString::fromLatin1(c.xml.mid(from, 200))) << c.name;
        EXPECT_TRUE(error.sourceText.contains("</d>")) << c.name;
    }
}
