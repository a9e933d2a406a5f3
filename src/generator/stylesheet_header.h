#pragma once

#include <QList>
#include <QString>

// The opening of every stylesheet the program writes, and the texts derived from the
// current slot's "XSLT Input Parameters-Table".

struct InputParameter {
    QString name;
    QString value; // stored XML-escaped; used as it stands
};

// The packed list: name, Chr(14), value, Chr(15), repeated; a trailing half record is
// dropped.
QList<InputParameter> inputParameters();
// The same for any packed list.
QList<InputParameter> parseInputParameters(QString list);

// The stylesheet start tag with its namespaces, then extra, then the imports of the
// table's extra stylesheet files and the parameter declarations.
QString makeXslHeader(const QString &extra);
// One xsl:param per input parameter.
QString makeParamDecls();
// One xsl:with-param per input parameter, passing it on under its own name.
QString makeWithParams();

// The current table's TableDocument::xslOutputFolder.
QString xslOutputFolder();
// A file's path as seen from the XSL output folder, "/" between folders. A path that is
// not absolute already names the file from that folder and stays as it is.
QString relativeToXslFolder(const QString &path);
// The same as the href of an import: a URI reference, every character that is not a plain
// letter, digit, "-", ".", "_", "~" or "/" percent-encoded.
QString importHref(const QString &path);
