// The worksheet's scanner against expat: the same documents, cut into
// blocks anywhere, must give the same elements, attributes and texts, and
// fail where expat fails.
#include "RegistroXml.h"

#include <gtest/gtest.h>

using namespace RegistroXml;

TEST(ScansioneXml, ReadsWhatExpatReadsCutAnywhere)
{
    const QByteArray documenti[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<x:worksheet xmlns:x=\"urn:s\"><x:sheetData>"
        "<row r=\"3\" spans='1:22'><c r=\"A3\" t=\"inlineStr\"><is><t xml:space=\"preserve\">"
        "  D&apos;Amico &amp; figli &#233;&#x20AC;\r\nfine </t></is></c>"
        "<c r=\"B3\" s = \"4\" t=\"n\"><v>1.5E3</v></c><c r=\"C3\"/>"
        "<!-- a comment, with < and & inside --><?pi da ignorare?>"
        "<c r=\"D3\" t=\"str\"><f>A1&amp;B1</f><v><![CDATA[<nota> & \"x\"]]></v></c>"
        "</row></x:sheetData></x:worksheet>\n",
        "\xEF\xBB\xBF<a b=\"x\ty\nz\r\nw\">\xC3\xA8\xE2\x82\xAC\xF0\x9F\x98\x80</a>",
        "<a>1</a><!-- after -->  \n",
        // Found by fuzz_xml: expat takes any version of the declaration.
        "<?xml version='0.0' encoding=\"latin-1\"?><a/>",
    };
    const QByteArray guasti[] = {
        "<a><b></a></b>", // mismatched
        "<a>",
        "<a",                             // unclosed
        "",                               // no element
        "<a>&nbsp;</a>",                  // an entity XML does not know
        "<a>&#0;</a>",                    // no such character
        "<a x=\"1\" x=\"2\"/>",           // an attribute twice
        "<a x=1/>",                       // unquoted
        "<a x=\"<\"/>",                   // '<' in a value
        "<a>\x01</a>",                    // control character
        "<a>\xC3\x28</a>",                // no UTF-8
        "<a>\xED\xA0\x80</a>",            // a surrogate
        "<a/><b/>",                       // two roots
        "<a/>x",                          // text after the root
        "x<a/>",                          // text before it
        "<a>& </a>",                      // a lone ampersand
        "<1a/>",                          // a bad name
        "<a><!-- -- --></a>",             // "--" in a comment
        "<a/><?xml version=\"1.0\"?>",    // declaration not at the start
        "<a b=\"1\"c=\"2\"/>",            // attributes not apart
        "<?xml version=\"\x7f.0\"?><a/>", // a version that is no name
    };
    for (const QByteArray& documento : documenti) {
        const Lettura attesa = leggi(ParserXml::Motore::expat, documento, documento.size() + 1);
        ASSERT_TRUE(attesa.ok) << documento.toStdString();
        for (qsizetype blocco : {qsizetype(1), qsizetype(2), qsizetype(3), qsizetype(7),
                                 qsizetype(64), documento.size() + 1}) {
            const Lettura letta = leggi(ParserXml::Motore::scansione, documento, blocco);
            EXPECT_TRUE(letta.ok) << documento.toStdString() << " in blocks of " << blocco;
            EXPECT_EQ(letta.eventi, attesa.eventi) << documento.toStdString() << " / " << blocco;
        }
    }
    for (const QByteArray& documento : guasti) {
        ASSERT_FALSE(leggi(ParserXml::Motore::expat, documento, 1 << 20).ok)
            << documento.toStdString();
        for (qsizetype blocco : {qsizetype(1), qsizetype(5), qsizetype(1 << 20)})
            EXPECT_FALSE(leggi(ParserXml::Motore::scansione, documento, blocco).ok)
                << documento.toStdString() << " in blocks of " << blocco;
    }
}

TEST(ScansioneXml, TheErrorNamesThePartTheLineAndTheFault)
{
    Registro registro(ParserXml::Motore::scansione);
    const QByteArray documento("<a>\n<b>\n</c></a>");
    const auto esito =
        registro.analizza(documento.constData(), documento.size(), true, QStringLiteral("foglio"));
    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.errore(), QStringLiteral("Cartella di lavoro Excel non valida: foglio "
                                             "illeggibile alla riga 3 (mismatched tag)."));
}
