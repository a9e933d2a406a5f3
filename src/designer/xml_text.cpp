#include "designer/xml_text.h"

#include "documents/text_files.h"
#include "platform/xml/xml_library.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <libxml/encoding.h>
#include <libxml/tree.h>
#include <memory>
#include <optional>

namespace {

// The declaration and the encoding it names (capture 2).
const QRegularExpression &declaredEncodingPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\x{FEFF}?\s*<\?xml[^>]*?\sencoding\s*=\s*["'])([A-Za-z][A-Za-z0-9._-]*))"));
    return pattern;
}

QString declaredEncoding(const QByteArray &bytes)
{
    constexpr qsizetype declarationLength = 200;
    return declaredEncodingPattern().match(QString::fromLatin1(bytes.left(declarationLength))).captured(2);
}

std::optional<QString> decodeWithLibxml(const QByteArray &bytes, const QString &encoding)
{
    initXmlLibrary();
    xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(encoding.toLatin1().constData());
    if (!handler)
        return std::nullopt;
    const std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> in(xmlBufferCreate(), xmlBufferFree);
    const std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> out(xmlBufferCreate(), xmlBufferFree);
    xmlBufferAdd(in.get(), reinterpret_cast<const xmlChar *>(bytes.constData()), int(bytes.size()));
    const int written = xmlCharEncInFunc(handler, out.get(), in.get());
    xmlCharEncCloseFunc(handler);
    if (written < 0 || xmlBufferLength(in.get()) != 0)
        return std::nullopt;
    return QString::fromUtf8(reinterpret_cast<const char *>(xmlBufferContent(out.get())),
                             xmlBufferLength(out.get()));
}

} // namespace

QString readXmlText(const QString &path)
{
    const QByteArray bytes = readFileBytes(path);
    const std::optional<QStringConverter::Encoding> marked =
        QStringConverter::encodingForData(bytes, u'<');
    if (marked && *marked != QStringConverter::Utf8)
        return QStringDecoder(*marked).decode(bytes);
    const QString declared = declaredEncoding(bytes);
    if (!declared.isEmpty() && declared.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) != 0)
        if (const std::optional<QString> text = decodeWithLibxml(bytes, declared))
            return *text;
    return decodeText(bytes);
}

QString withUtf8Declaration(const QString &text)
{
    QString result = text;
    const QRegularExpressionMatch declaration = declaredEncodingPattern().match(text);
    if (declaration.hasMatch())
        result.replace(declaration.capturedStart(2), declaration.capturedLength(2),
                       QStringLiteral("UTF-8"));
    return result;
}
