// The running form of a stylesheet: what is left out, computed by select or limited in
// the loop's select, and what stays as written because it might not be equivalent; either
// way the page is the one the stylesheet gives as written.
#include "documents/text_files.h"
#include "platform/xslt/generator_marks.h"
#include "platform/xslt/xslt_running_form.h"
#include "platform/xslt/xslt_transform.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cctype>
#include <cstring>
#include <optional>

namespace {

// Every start tag marked as the generator's own, but those of the user's code, set apart in
// the text by "[[" and "]]".
QByteArray marked(const std::string &text)
{
    const std::string mark = generatorMark().toStdString();
    const auto nameCharacter = [](char c) { return std::isalnum((unsigned char)c) || (c && std::strchr("-_.:", c)); };
    std::string out;
    bool user = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text.compare(at, 2, user ? "]]" : "[[") == 0) {
            user = !user;
            ++at;
            continue;
        }
        out += text[at];
        if (user || text[at] != '<' || at + 1 == text.size() ||
            !(std::isalpha((unsigned char)text[at + 1]) || text[at + 1] == '_'))
            continue;
        while (at + 1 < text.size() && nameCharacter(text[at + 1]))
            out += text[++at];
        out += mark;
    }
    return QByteArray::fromStdString(out);
}

QByteArray stylesheet(const std::string &templateBody)
{
    return marked(std::string("<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' "
                      "xmlns:func='http://exslt.org/functions' xmlns:my='urn:my' xmlns:a='urn:v' xmlns:b='urn:v' "
                      "xmlns:dyn='http://exslt.org/dynamic' extension-element-prefixes='func'><xsl:import href='lib.xsl'/>"
                      "<xsl:param name='p'/><xsl:variable name='g' select='1'/><xsl:key name='k' match='r' use='@id'/>"
                      "<xsl:attribute-set name='s'><xsl:attribute name='n'>"
                      "<xsl:value-of select='last()'/></xsl:attribute></xsl:attribute-set>"
                      "<func:function name='my:node-set'><func:result select='last()'/></func:function>"
                      "<func:function name='my:f'><xsl:variable name='v' select='1'/><func:result "
                      "select='$v'/></func:function>"
                      "<xsl:template name='a:t'/><xsl:template name='t'><xsl:param name='w'>2</xsl:param>"
                      "<xsl:value-of select='$w'/></xsl:template>"
                      "<xsl:template match='/*'>") +
           templateBody + "</xsl:template></xsl:stylesheet>");
}

// The template's body after parsing, and after preparing for running when asked.
QString body(const QByteArray &text, bool prepared)
{
    xmlDocPtr doc = xmlReadMemory(text.constData(), int(text.size()), "t.xsl", "UTF-8", 0);
    if (!doc)
        return QStringLiteral("<not well-formed>");
    if (prepared)
        prepareForRunning(doc, GeneratorMarks(doc), [] { return false; });
    else
        GeneratorMarks(doc).removeFrom(doc);
    xmlBufferPtr buffer = xmlBufferCreate();
    const xmlNodePtr templ = xmlDocGetRootElement(doc)->last;
    for (xmlNodePtr child = templ->children; child; child = child->next)
        xmlNodeDump(buffer, doc, child, 0, 0);
    const QString dumped = QString::fromUtf8(reinterpret_cast<const char *>(xmlBufferContent(buffer)));
    xmlBufferFree(buffer);
    xmlFreeDoc(doc);
    return dumped;
}

QString body(const std::string &templateBody, bool prepared) { return body(stylesheet(templateBody), prepared); }

// The page (or the failure) the stylesheet gives over a few rows, in the given form.
std::string page(const QByteArray &text, StylesheetForm form)
{
    static QTemporaryDir dir;
    const QString xml = dir.filePath(QStringLiteral("rows.xml"));
    QFile file(xml);
    if (!file.exists() && file.open(QIODevice::WriteOnly))
        file.write("<d id='0'><r id='1'><c/><c/></r><r id='2' x='1'/><r id='3' late='1'/>"
                   "<r id='4'/><r id='5' late='1'/><r id='6'/><r id='7' late='1'/></d>");
    file.close();
    writeFile(dir.filePath("lib.xsl"), // calls a function of the stylesheet unseen, reads a parameter
              "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' xmlns:my="
              "'urn:my'><xsl:template name='callsF'><xsl:value-of select='concat(my:f(),$g)'/></xsl:template>"
              "<xsl:template name='my:t'><xsl:param name='w'/><xsl:if test='$w'>w</xsl:if></xsl:template>"
              "</xsl:stylesheet>", true);
    const XsltOutcome outcome = runXslt(xml, QString::fromUtf8(text), dir.filePath("t.xsl"), {}, form);
    return std::to_string(int(outcome.failure)) + ":" + outcome.output.toStdString();
}

std::string page(const std::string &templateBody, StylesheetForm form) { return page(stylesheet(templateBody), form); }

struct Case {
    const char *what;
    std::string written;
    std::optional<std::string> running; // none: stays as written
};

// A hundred unread variables of that value.
std::string variables(const char *value)
{
    std::string out;
    for (int i = 0; i < 100; ++i)
        out += "<xsl:variable name='v" + std::to_string(i) + "' select='" + value + "'/>";
    return out;
}

const Case cases[] = {
    {"unread variables are left out, also those only an unread one read",
     "<xsl:variable name='a' select='concat(\"r\",$p,position())'/>"
     "<xsl:variable name='b'><xsl:value-of select='$a'/></xsl:variable>"
     "<xsl:variable name='c'>x<xsl:if test='$p=\"1\"'>y</xsl:if></xsl:variable><b/>",
     "<b/>"},
    {"an unread variable stays as a constant before what may reach a template, a key or an attribute set, or the user's code",
     "<xsl:variable name='u' select='1'/><xsl:call-template name='t'/>"
     "<b><xsl:variable name='k' select='1'/><xsl:value-of select='count(key(\"k\",@id))'/>"
     "</b><b><xsl:variable name='s' select='1'/><b xsl:use-attribute-sets='s'/></b><b><xsl:variable name='y' "
     "select='1'/>[[<i/>]]</b><b><xsl:variable name='a' select='1'/><xsl:apply-templates select='@x'/></b>",
     "<xsl:variable name='u' select='0'/><xsl:call-template name='t'/>"
     "<b><xsl:variable name='k' select='0'/><xsl:value-of select='count(key(\"k\",@id))'/>"
     "</b><b><xsl:variable name='s' select='0'/><b xsl:use-attribute-sets='s'/></b><b><xsl:variable name='y' "
     "select='0'/><i/></b><b><xsl:variable name='a' select='0'/><xsl:apply-templates select='@x'/></b>"},
    {"an unread variable bound again in its template stays, and the run fails as written",
     "<xsl:variable name='r' select='1'/><b><xsl:variable name='r' select='2'/></b>",
     "<xsl:variable name='r' select='0'/><b><xsl:variable name='r' select='0'/></b>"},
    {"unread variables stay where the processor counts them as it enters a template again",
     "<xsl:param name='n' select='0'/>" + variables("1") + "<xsl:if test='$n &lt; 200'><xsl:apply-templates "
     "select='.'><xsl:with-param name='n' select='$n + 1'/></xsl:apply-templates></xsl:if>",
     "<xsl:param name='n' select='0'/>" + variables("0") + "<xsl:if test='$n &lt; 200'><xsl:apply-templates "
     "select='.'><xsl:with-param name='n' select='$n + 1'/></xsl:apply-templates></xsl:if>"},
    {"an unread variable keeps its place, before a sort key or a parameter",
     "<xsl:for-each select='r'><xsl:variable name='u' select='1'/><xsl:sort select='@id'/>"
     "</xsl:for-each><xsl:variable name='u' select='1'/><xsl:param name='q'/>",
     "<xsl:for-each select='r'><xsl:variable name='u' select='0'/><xsl:sort select='@id'/>"
     "</xsl:for-each><xsl:variable name='u' select='0'/><xsl:param name='q'/>"},
    {"a variable read by a function's result or under another prefix stays",
     "<xsl:call-template name='callsF'/><xsl:variable name='a:w' select='1'/><xsl:value-of "
     "select='$b:w'/>", std::nullopt},
    {"a variable read by dyn:evaluate stays",
     "<xsl:variable name='d' select='2'/><xsl:variable name='e'><xsl:value-of select='@nope'/></xsl:variable>"
     "<xsl:value-of select='concat(dyn:evaluate(\"$d\"),$e,dyn:evaluate(\"boolean($e)\"))'/>", std::nullopt},
    {"an unread variable whose operators outnumber the evaluator's recursion stays",
     "<xsl:variable name='u' select='1" + QByteArray("+1").repeated(6000).toStdString() + "'/>",
     std::nullopt},
    {"an unread variable that may fail or call out stays",
     "<xsl:variable name='d' select='document(\"x.xml\")'/>"
     "<xsl:variable name='u' select='concat($undeclared,1)'/>"
     "<xsl:variable name='n' select='count($p)'/>"
     "<xsl:variable name='t'><xsl:call-template name='x'/></xsl:variable>"
     "<xsl:variable name='e'><b/></xsl:variable>",
     std::nullopt},
    {"a result tree read as text or number is computed by select",
     "<xsl:variable name='n'><xsl:value-of select='position()'/></xsl:variable>"
     "<xsl:variable name='m'>a<xsl:value-of select='@id'/><xsl:text> </xsl:text></xsl:variable>"
     "<xsl:variable name='q'>'</xsl:variable>"
     "<xsl:value-of select='$n'/><b c='x{$m}'/><xsl:value-of select='concat($q,$n mod 2)'/>"
     "<xsl:if test='$n = 3 or \"4\" != $m'>y</xsl:if>",
     "<xsl:variable name='n' select='string(position())'/>"
     "<xsl:variable name='m' select=\"concat('a',@id,' ')\"/>"
     "<xsl:variable name='q' select='\"&apos;\"'/>"
     "<xsl:value-of select='$n'/><b c='x{$m}'/><xsl:value-of select='concat($q,$n mod 2)'/>"
     "<xsl:if test='$n = 3 or \"4\" != $m'>y</xsl:if>"},
    {"a text parameter of a template of the stylesheet is passed by select",
     "<xsl:call-template name='t'><xsl:with-param name='w'>1</xsl:with-param></xsl:call-template>"
     "<xsl:call-template name='imported'><xsl:with-param name='w'>1</xsl:with-param>"
     "</xsl:call-template><xsl:apply-templates select='@x'><xsl:with-param name='w'>1</xsl:with-param>"
     "</xsl:apply-templates><xsl:call-template name='a:t' xmlns:a='urn:my'><xsl:with-param name='w'>"
     "<xsl:value-of select='@x'/></xsl:with-param></xsl:call-template>",
     "<xsl:call-template name='t'><xsl:with-param name='w' select=\"'1'\"/></xsl:call-template>"
     "<xsl:call-template name='imported'><xsl:with-param name='w'>1</xsl:with-param>"
     "</xsl:call-template><xsl:apply-templates select='@x'><xsl:with-param name='w'>1</xsl:with-param>"
     "</xsl:apply-templates><xsl:call-template name='a:t' xmlns:a='urn:my'><xsl:with-param name='w'>"
     "<xsl:value-of select='@x'/></xsl:with-param></xsl:call-template>"},
    {"a result tree read as a boolean, a node-set or a parameter stays",
     "<xsl:variable name='n'><xsl:value-of select='@id'/></xsl:variable>"
     "<xsl:variable name='m'><xsl:value-of select='@id'/></xsl:variable>"
     "<xsl:variable name='k'><xsl:value-of select='@id'/></xsl:variable>"
     "<xsl:variable name='j'><xsl:value-of select='@id'/></xsl:variable>"
     "<xsl:if test='$n'>y</xsl:if><xsl:value-of select='count($m/x)'/>"
     "<xsl:call-template name='t'><xsl:with-param name='w' select='$k'/></xsl:call-template>"
     "<xsl:value-of select='$j = true()'/>",
     std::nullopt},
    {"a result tree compared with a boolean, or of quotes of both kinds or other instructions, stays",
     "<xsl:variable name='both'>'\"<xsl:value-of select='1'/></xsl:variable>"
     "<xsl:variable name='e'><xsl:value-of select='$p'/></xsl:variable><xsl:variable name='f'><xsl:value-of "
     "select='$p'/></xsl:variable><xsl:variable name='h'><xsl:value-of select='$p'/></xsl:variable>"
     "<xsl:variable name='i'><xsl:value-of select='$p'/></xsl:variable>"
     "<xsl:variable name='y'><xsl:if test='1'>y</xsl:if></xsl:variable><xsl:variable name='t' select='1=1'/>"
     "<xsl:value-of select='concat($both,not($e),$f = 1 &gt; 2,2 &lt; 1 = $h,$i = $t,$y)'/>",
     std::nullopt},
    {"a row limit becomes a predicate of the loop's select",
     "<xsl:for-each select='r'><xsl:variable name='n'><xsl:value-of select='position()'/>"
     "</xsl:variable><xsl:if test='not(@x)'><xsl:if test='position() &lt; 6'>"
     "<b><xsl:value-of select='$n'/><xsl:number/><xsl:value-of select='count(key(\"k\",@id))'/></b>"
     "<xsl:for-each select='c'><xsl:value-of select='last()'/>"
     "</xsl:for-each></xsl:if></xsl:if></xsl:for-each>",
     "<xsl:for-each select='(r)[position() &lt; 6]'><xsl:variable name='n' "
     "select='string(position())'/><xsl:if test='not(@x)'><xsl:if test='position() &lt; 6'>"
     "<b><xsl:value-of select='$n'/><xsl:number/><xsl:value-of select='count(key(\"k\",@id))'/></b>"
     "<xsl:for-each select='c'><xsl:value-of select='last()'/>"
     "</xsl:for-each></xsl:if></xsl:if></xsl:for-each>"},
    {"a row limit stays with sort keys, last(), a template call or more than the test in the loop",
     "<xsl:for-each select='r'><xsl:sort select='@k'/><xsl:if test='position() &lt; 6'><b/>"
     "</xsl:if></xsl:for-each>"
     "<xsl:for-each select='r'><xsl:if test='position() &lt; 6'><b c='{last()}'/></xsl:if>"
     "</xsl:for-each>"
     "<xsl:for-each select='r'><xsl:if test='position() &lt; 6'><xsl:call-template name='t'/>"
     "</xsl:if></xsl:for-each>"
     "<xsl:for-each select='r'><b/><xsl:if test='position() &lt; 6'><b/></xsl:if></xsl:for-each>"
     "<xsl:for-each select='r'>x<xsl:if test='position() &lt; 6'><b/></xsl:if></xsl:for-each>",
     std::nullopt},
    {"a row limit stays unless the test is position() below a whole number of a few digits",
     "<xsl:for-each select='r'><xsl:if test='position() &lt; 3.5'><b/></xsl:if></xsl:for-each>"
     "<xsl:for-each select='r'><xsl:if test='position() &gt; 5'><b/></xsl:if></xsl:for-each>"
     "<xsl:for-each select='r'><xsl:if test='position() &lt; 1234567890'><b/></xsl:if></xsl:for-each>",
     std::nullopt},
    {"a row limit stays when an attribute set sees the loop", "<xsl:for-each select='r'><xsl:if "
     "test='position() &lt; 3'><b xsl:use-attribute-sets='s'/></xsl:if></xsl:for-each><xsl:for-each select='r'>"
     "<xsl:if test='position() &lt; 3'><xsl:element name='b' use-attribute-sets='s'/></xsl:if></xsl:for-each>",
     std::nullopt},
    {"a row limit stays when a function of the stylesheet sees the loop", "<xsl:for-each select='r'>"
     "<xsl:if test='position() &lt; 3'><b c='{my:node-set()}'/></xsl:if></xsl:for-each>", std::nullopt},
    {"an unread variable that fails when computed stays",
     "<xsl:variable name='u' select='concat(\"a\")'/><xsl:variable name='s' select='string(1,2)'/>"
     "<xsl:variable name='x' select='x:y'/><xsl:variable name='n' select='string($p/x)'/><b/>", std::nullopt},
    {"what the stylesheet compiler refuses stays",
     "<xsl:variable name='u' select='1 +'/><xsl:variable name='o'><xsl:value-of/></xsl:variable>"
     "<xsl:variable name='x'><xsl:if>a</xsl:if></xsl:variable><xsl:variable name='y'><xsl:text>a<b/>"
     "</xsl:text></xsl:variable><xsl:variable name='z'><xsl:value-of select=''/></xsl:variable>"
     "<xsl:value-of select='concat($y,$z)'/><td><xsl:attribute name='a'><xsl:text>a<b/></xsl:text>"
     "</xsl:attribute></td><td><xsl:attribute name='b'><xsl:value-of select=''/></xsl:attribute></td>"
     "<xsl:for-each><xsl:if test='position() &lt; 3'/></xsl:for-each>"
     "<xsl:for-each select='r'><xsl:if test='position() &lt;'/></xsl:for-each>",
     std::nullopt},
    {"an unread variable that steps from a value that is no node-set stays",
     "<xsl:variable name='u' select='\"a\"/b'/><b/>", std::nullopt},
    {"an unread variable that filters a value that is no node-set stays",
     "<xsl:variable name='u' select='position()[1]'/><b/>", std::nullopt},
    {"an unread variable that unites values that are no node-sets stays",
     "<xsl:variable name='u' select='1 | 2'/><b/>", std::nullopt},
    {"an unread variable that reads a name not bound where it is stays",
     "<b><xsl:variable name='v' select='1'/></b><xsl:variable name='u' select='$v'/><b/>", std::nullopt},
    {"an unread variable that reads a name bound only after it stays",
     "<xsl:variable name='u' select='$x'/><xsl:variable name='x' select='1'/>", std::nullopt},
    {"an unread variable that reads a name only an instruction gives stays",
     "<xsl:element name='x'/><xsl:variable name='u' select='$x'/>", std::nullopt},
    {"an empty result tree read as text is the empty text",
     "<xsl:variable name='n'><xsl:value-of select='@nope'/></xsl:variable>"
     "<xsl:value-of select='concat($n = \"\", $n != \"\", $n + 1, string-length($n))'/>",
     "<xsl:variable name='n' select='string(@nope)'/>"
     "<xsl:value-of select='concat($n = \"\", $n != \"\", $n + 1, string-length($n))'/>"},
    {"a row limit stays under a test that may fail on a later row",
     "<xsl:for-each select='r'><xsl:if test='not(@late) or concat(\"a\")'>"
     "<xsl:if test='position() &lt; 3'><b/></xsl:if></xsl:if></xsl:for-each>",
     std::nullopt},
    {"a row limit stays after a variable that may fail on a later row", "<xsl:for-each select='r'>"
     "<xsl:variable name='u' select='not(@late) or concat(\"a\")'/><xsl:if test='position() &lt; 3'/>"
     "</xsl:for-each>",
     std::nullopt},
    {"a row limit stays under a test that holds more than the limit",
     "<xsl:for-each select='r'><xsl:if test='not(@x)'><b/><xsl:if test='position() &lt; 3'><b/></xsl:if>"
     "</xsl:if></xsl:for-each><xsl:for-each select='r'><xsl:if test='not(@x)'>x<xsl:if test='position() "
     "&lt; 3'><b/></xsl:if></xsl:if></xsl:for-each>",
     std::nullopt},
    {"kept white space keeps the stylesheet as written",
     "<xsl:variable name='s' xml:space='preserve'> <xsl:value-of select='@id'/> </xsl:variable>"
     "<xsl:value-of select='$s'/>",
     std::nullopt},
    {"xsl:attribute elements of text and values that open a literal element join its attributes",
     "<td class='a'><!--id--><xsl:attribute name='id'><xsl:value-of select='$p'/>_c{1}"
     "</xsl:attribute><xsl:attribute name='title'>t</xsl:attribute><b/></td>",
     "<td class='a' id='{$p}_c{{1}}' title='t'><!--id--><b/></td>"},
    {"moved attributes keep their order, characters and spaces, and a later one replaces them",
     "<td><xsl:attribute name='id'>x</xsl:attribute><xsl:attribute name='a'>&amp;lt;&#10;y&#9;"
     "</xsl:attribute><xsl:attribute name='b'><xsl:value-of select='concat(\"&amp;amp;\",@id)'/>"
     "</xsl:attribute><xsl:attribute name='c'> x </xsl:attribute><xsl:attribute name='d'>  "
     "</xsl:attribute><xsl:attribute name='a'>3</xsl:attribute><xsl:copy-of select='@id'/></td>",
     "<td id='x' a='&amp;lt;&#10;y&#9;' b='{concat(\"&amp;amp;\",@id)}' c=' x ' d=''>"
     "<xsl:attribute name='a'>3</xsl:attribute><xsl:copy-of select='@id'/></td>"},
    {"an xsl:attribute named xmlns stays", "<td><xsl:attribute name='xmlns'>u</xsl:attribute></td>",
     std::nullopt},
    {"an xsl:attribute whose name is no name or whose value is no expression stays",
     "<td><xsl:attribute name='1a'>y</xsl:attribute></td><td><xsl:attribute name='c'><xsl:value-of "
     "select='1}'/></xsl:attribute></td>",
     std::nullopt},
    {"an xsl:attribute that might not give the same attribute in the same place stays",
     "<td><xsl:attribute name='a'><xsl:if test='$p'>1</xsl:if></xsl:attribute>"
     "<xsl:attribute name='b'>2</xsl:attribute></td>"
     "<td id='x'><xsl:attribute name='id'>y</xsl:attribute></td>"
     "<td><xsl:attribute name='{$p}'>y</xsl:attribute></td>"
     "<td><xsl:attribute name='n' namespace='urn:x'>y</xsl:attribute></td>"

     "<td xsl:use-attribute-sets='s'><xsl:attribute name='c'>y</xsl:attribute></td>"
     "<xsl:element name='td'><xsl:attribute name='c'>y</xsl:attribute></xsl:element>",
     std::nullopt},
    {"a value that declares namespaces stays in its place",
     "<xsl:variable name='n'><xsl:value-of xmlns:q='urn:q' select='count(q:n)'/></xsl:variable>"
     "<xsl:value-of select='$n'/><td><xsl:attribute name='a' xmlns:q='urn:q'>"
     "<xsl:value-of select='count(q:n)'/></xsl:attribute></td><td><xsl:attribute name='a'>"
     "<xsl:value-of xmlns:q='urn:q' select='count(q:n)'/></xsl:attribute></td>",
     std::nullopt},
    {"document('') reads the text as written",
     "<xsl:variable name='u' select='1'/><xsl:value-of select='count(document(\"\")//*)'/>",
     "<xsl:value-of select='count(document(\"\")//*)'/>"},
    {"a select that parentheses make whole is refused as written",
     "<xsl:for-each select='r) | (r'><xsl:if test='position() &lt; 3'><b/></xsl:if></xsl:for-each>",
     "<xsl:for-each select='(r) | (r)[position() &lt; 3]'><xsl:if test='position() &lt; 3'><b/>"
     "</xsl:if></xsl:for-each>"},
    {"the user's code stays as written, also inside what the generator wrote, and holds the "
     "generator's as written",
     "[[<xsl:variable name='a' select='1'/><xsl:variable name='n'><xsl:value-of select='position()'/>"
     "</xsl:variable><xsl:value-of select='$n'/><xsl:for-each select='r'><xsl:if test='position() &lt; 3'>"
     "<b/></xsl:if></xsl:for-each><td><xsl:attribute name='id'>x</xsl:attribute></td>]]"
     "<xsl:variable name='u'>[[<xsl:value-of select='1'/>]]</xsl:variable>"
     "<xsl:variable name='m'>[[<xsl:value-of select='@id'/>]]</xsl:variable><xsl:value-of select='$m'/>"
     "<xsl:for-each select='r'>[[<xsl:if test='position() &lt; 3'><b/></xsl:if>]]</xsl:for-each>"
     "<xsl:for-each select='r'><xsl:if test='position() &lt; 3'>[[<b/>]]</xsl:if></xsl:for-each>"
     "<td>[[<xsl:attribute name='id'>x</xsl:attribute>]]</td>"
     "<td><xsl:attribute name='id'>[[<xsl:value-of select='$p'/>]]</xsl:attribute></td>"
     "[[<td><xsl:attribute name='c'>y</xsl:attribute></td><td>]]<xsl:attribute name='c'>y</xsl:attribute>"
     "</td>[[<xsl:for-each select='r'>]]<xsl:if test='position() &lt; 3'><b/></xsl:if></xsl:for-each>"
     "[[<xsl:variable name='um'>]]<xsl:value-of select='@id'/></xsl:variable><xsl:value-of select='$um'/>",
     "<xsl:variable name='a' select='1'/><xsl:variable name='n'><xsl:value-of select='position()'/>"
     "</xsl:variable><xsl:value-of select='$n'/><xsl:for-each select='r'><xsl:if test='position() &lt; 3'>"
     "<b/></xsl:if></xsl:for-each><td><xsl:attribute name='id'>x</xsl:attribute></td>"
     "<xsl:variable name='u'><xsl:value-of select='1'/></xsl:variable>"
     "<xsl:variable name='m'><xsl:value-of select='@id'/></xsl:variable><xsl:value-of select='$m'/>"
     "<xsl:for-each select='r'><xsl:if test='position() &lt; 3'><b/></xsl:if></xsl:for-each>"
     "<xsl:for-each select='(r)[position() &lt; 3]'><xsl:if test='position() &lt; 3'><b/></xsl:if>"
     "</xsl:for-each><td><xsl:attribute name='id'>x</xsl:attribute></td>"
     "<td><xsl:attribute name='id'><xsl:value-of select='$p'/></xsl:attribute></td>"
     "<td><xsl:attribute name='c'>y</xsl:attribute></td><td><xsl:attribute name='c'>y</xsl:attribute>"
     "</td><xsl:for-each select='r'><xsl:if test='position() &lt; 3'><b/></xsl:if></xsl:for-each>"
     "<xsl:variable name='um'><xsl:value-of select='@id'/></xsl:variable><xsl:value-of select='$um'/>"},
    {"an unread variable nested deeper than expressions may be",
     "<xsl:variable name='d' select='" + std::string(100000, '(') + "1" + std::string(100000, ')') +
         "'/>",
     std::nullopt},
};

TEST(XsltRunningForm, PreparesOnlyWhatIsEquivalent)
{
    for (const Case &c : cases) {
        const QString expected = body(c.running.value_or(c.written), false);
        EXPECT_EQ(body(c.written, true).toStdString(), expected.toStdString()) << c.what;
        EXPECT_EQ(page(c.written, StylesheetForm::Running),
                  page(c.written, StylesheetForm::AsWritten))
            << c.what;
    }
}

QByteArray htmlStylesheet(const std::string &output, const std::string &body)
{
    return marked("<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' "
                  "xmlns:a='urn:a' xmlns:str='http://exslt.org/strings'><xsl:output method='html' " +
                  output + "/><xsl:template match='/*'>" + body + "</xsl:template></xsl:stylesheet>");
}

// A page of html, written while the loops run, is the page of the whole tree: line breaks
// that depend on what follows, the meta element the serializer adds, loops whose output
// goes into a variable, an attribute or an element whose content is never written.
TEST(XsltRunningForm, WritesHtmlAsTheLoopRunsAsTheWholeTreeWouldBe)
{
    const std::string rows = "<xsl:for-each select='r'><tr><td xml:lang='en'><xsl:value-of select='@id'/></td>"
                             "<td><span>x</span></td></tr></xsl:for-each>";
    const struct {
        const char *what, *output;
        std::string body;
        bool fails = false;
    } cases[] = {
        {"a table alone in the body", "", "<html><head><title>t</title></head><body><table>" + rows +
                                              "</table></body></html>"},
        {"more after the table", "indent='yes'", "<html><head/><body><table>" + rows +
                                                     "</table><div/>text</body></html><xsl:comment>c</xsl:comment>"},
        {"no line breaks", "indent='no'", "<html><head/><body><table>" + rows + "</table><p/></body></html>"},
        {"inline elements, text between, a p, a pre, upper case, a namespace",
         "", "<HTML><HEAD/><BODY><p><xsl:for-each select='r'><b><i>x</i></b>,<br/><a:x/>"
             "</xsl:for-each></p><pre>" + rows + "</pre><a:y>" + rows + "</a:y><div>" + rows + "t</div>"
             "<div><xsl:for-each select='r'><xsl:value-of select='@id'/>-</xsl:for-each></div></BODY></HTML>"},
        {"raw text of a script and unescaped text", "", "<html><head/><body><script><xsl:for-each select='r'>"
             "<xsl:value-of select='\"a&lt;b\"'/><b/></xsl:for-each></script><div><xsl:for-each select='r'>"
             "<xsl:value-of disable-output-escaping='yes' select='\"&lt;i&gt;\"'/><b/></xsl:for-each></div></body></html>"},
        {"a meta element already there", "encoding='utf-8'", "<html><head><meta http-equiv='Content-Type' "
             "content='text/html; charset=latin1'/></head><body><div>" + rows + "</div></body></html>"},
        {"no head, or a head after the body", "", "<html><body><div>" + rows + "</div></body><head/></html>"},
        {"a head still being built", "", "<html><head><xsl:for-each select='r'><meta name='{@id}'/>"
             "</xsl:for-each></head><body/></html>"},
        {"another encoding", "encoding='ISO-8859-1'", "<html><head/><body><div>\u00e9" + rows + "</div></body></html>"},
        {"into a variable, an attribute, an empty element", "",
         "<html><head/><body><xsl:variable name='v'>" + rows + "</xsl:variable><div><xsl:copy-of select='$v'/>"
             "</div><div><xsl:attribute name='a'><xsl:for-each select='r'><xsl:value-of select='@id'/>"
             "</xsl:for-each></xsl:attribute></div><br>" + rows + "</br></body></html>"},
        {"the loop outside the html element", "", "<xsl:for-each select='r'><html><head/><body><b/></body>"
             "</html><xsl:text>\n</xsl:text></xsl:for-each>"},
        {"a run that fails after rows are written", "", "<html><head/><body><a:y><table>" + rows +
             "<xsl:for-each select='r'><a:x xml:lang='en'/></xsl:for-each></table><xsl:message "
             "terminate='yes'>stop</xsl:message></a:y></body></html>", true},
    };
    for (const auto &c : cases) {
        const QByteArray text = htmlStylesheet(c.output, c.body);
        const std::string running = page(text, StylesheetForm::Running);
        EXPECT_EQ(running, page(text, StylesheetForm::AsWritten)) << c.what;
        EXPECT_EQ(running.rfind("0:", 0) != 0, c.fails) << c.what << ": " << running;
    }
}

// A page written as the tree grows counts against the run's memory bound, as the page of a
// whole tree does, though the tree never holds more than a few of its rows.
TEST(XsltRunningForm, APageWrittenAsItGrowsIsHeldToTheRunsMemory)
{
    QTemporaryDir dir;
    const QString xml = dir.filePath(QStringLiteral("rows.xml"));
    writeFile(xml, "<d>" + QString("<r/>").repeated(600) + "</d>", true);
    XsltLimits limits;
    limits.memoryBytes = 16 << 20; // the page: 600 rows of 10,000 "&amp;", a fifth of it in the tree
    const XsltOutcome outcome = runXslt(
        xml, QString::fromUtf8(htmlStylesheet("", "<html><head/><body><table><xsl:for-each select='r'><tr><td>"
                                                  "<xsl:value-of select=\"str:padding(10000, '&amp;')\"/></td></tr>"
                                                  "</xsl:for-each></table></body></html>")),
        dir.filePath(QStringLiteral("t.xsl")), limits, StylesheetForm::Running);
    EXPECT_EQ(outcome.failure, XsltOutcome::Failure::Stopped);
    EXPECT_EQ(outcome.stopReason, XsltStopReason::MemoryLimit);
}

// The marks count only when the root carries the program's own first, as the generator
// writes it; any other attribute is the stylesheet's own and stays where it is written.
TEST(XsltRunningForm, RewritesNothingUnlessTheRootCarriesTheProgramsMarkFirst)
{
    const QByteArray name = generatorMarkName();
    const struct {
        const char *what;
        QByteArray before, after; // the marks' name at the root replaced by that, or moved
    } cases[] = {
        {"the program's mark after the version", "<xsl:stylesheet " + name + "=\"\" version='1.0'",
         "<xsl:stylesheet version='1.0' " + name + "=\"\""},
        {"another number's mark everywhere", name, "tarvik-generated-x"},
        {"the program's mark name and more", name, name + "0"},
    };
    for (const auto &c : cases) {
        QByteArray text = stylesheet("<xsl:variable name='u' select='1'/><b/>");
        text.replace(c.before, c.after);
        const QByteArray written = c.before == name ? c.after : name;
        EXPECT_TRUE(body(text, true).contains(QStringLiteral("select=\"1\""))) << c.what;
        EXPECT_NE(page(text, StylesheetForm::Running).find(" " + written.toStdString() + "=\"\"/>"), std::string::npos)
            << c.what << ": " << page(text, StylesheetForm::Running);
    }
}

} // namespace
