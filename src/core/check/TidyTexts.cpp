#include "core/check/TidyTexts.h"

#include <tidy/tidy.h>

namespace qw {

namespace {

struct CzechText
{
    unsigned code;
    const char16_t* text;
};

// The texts say what is wrong with the page, not what the library would do
// to repair it: the checker repairs nothing.
constexpr CzechText Texts[] = {
    {ANCHOR_NOT_UNIQUE, u"%1: záložka „%2“ už na stránce je"},
    {APOS_UNDEFINED, u"pojmenovaná entita &apos; je jen v XML/XHTML"},
    {ATTR_VALUE_NOT_LCASE, u"%1: hodnota atributu %2 „%3“ má být pro XHTML malými písmeny"},
    {ATTRIBUTE_VALUE_REPLACED, u"%1: atribut %2 má nesprávnou hodnotu „%3“"},
    {BACKSLASH_IN_URI, u"%1: adresa obsahuje zpětné lomítko, nemá být obyčejné?"},
    {BAD_ATTRIBUTE_VALUE_REPLACED, u"%1: atribut %2 má neplatnou hodnotu „%3“"},
    {BAD_ATTRIBUTE_VALUE, u"%1: atribut %2 má neplatnou hodnotu „%3“"},
    {BAD_CDATA_CONTENT, u"„</“ a písmeno sem nepatří"},
    {BAD_SUMMARY_HTML5, u"atribut summary prvku %1 je v HTML5 zastaralý"},
    {CANT_BE_NESTED, u"%1 nemůže být vnořen sám do sebe"},
    {COERCE_TO_ENDTAG, u"<%1> má být asi koncová značka </%2>"},
    {CONTENT_AFTER_BODY, u"obsah za koncem těla stránky (</body>)"},
    {CUSTOM_TAG_DETECTED, u"vlastní značka %1, brána jako %2"},
    {DISCARDING_UNEXPECTED, u"nečekaná značka %1"},
    {DOCTYPE_AFTER_TAGS, u"<!DOCTYPE> nesmí stát až za prvky"},
    {DUPLICATE_FRAMESET, u"opakovaný prvek FRAMESET"},
    {ELEMENT_NOT_EMPTY, u"prvek %1 není prázdný nebo není uzavřen"},
    {ELEMENT_VERS_MISMATCH_ERROR, u"prvek %1 v %2 není"},
    {ELEMENT_VERS_MISMATCH_WARN, u"prvek %1 v %2 není"},
    {ESCAPED_ILLEGAL_URI, u"%1: chybně zapsaná adresa"},
    {FIXED_BACKSLASH, u"%1: zpětné lomítko v adrese"},
    {FOUND_STYLE_IN_BODY, u"značka <style> v těle stránky (patří do <head>)"},
    {ID_NAME_MISMATCH, u"%1: hodnoty atributů id a name se liší"},
    {ILLEGAL_NESTING, u"%1 nemá být vnořen"},
    {ILLEGAL_URI_CODEPOINT, u"%1: nepovolené znaky v adrese"},
    {ILLEGAL_URI_REFERENCE, u"%1: nesprávně zapsaná adresa"},
    {INSERTING_AUTO_ATTRIBUTE, u"%1: chybí atribut %2 (hodnota „%3“)"},
    {INSERTING_TAG, u"chybí značka <%1>"},
    {INVALID_ATTRIBUTE, u"%1: neplatný název atributu „%2“ (hodnota „%3“)"},
    {INVALID_NCR, u"%1: neplatný číselný odkaz na znak %2"},
    {INVALID_SGML_CHARS, u"%1: neplatný kód znaku %2"},
    {INVALID_UTF8, u"%1: neplatné bajty UTF-8 (kód znaku %2)"},
    {INVALID_UTF16, u"%1: neplatná dvojice náhradních znaků UTF-16 (kód %2)"},
    {INVALID_XML_ID, u"%1: atribut name nelze převzít jako id"},
    {JOINING_ATTRIBUTE, u"%1: opakovaný atribut „%2“"},
    {MALFORMED_COMMENT, u"sousední pomlčky v komentáři"},
    {MALFORMED_COMMENT_DROPPING, u"možný komentář, kterému chybí pomlčka"},
    {MALFORMED_COMMENT_EOS, u"komentář není do konce stránky ukončen"},
    {MALFORMED_COMMENT_WARN, u"sousední pomlčky uvnitř komentáře"},
    {MALFORMED_DOCTYPE, u"chybně zapsaný <!DOCTYPE>"},
    {MISMATCHED_ATTRIBUTE_ERROR, u"%1: atribut „%2“ není pro %3 povolen"},
    {MISMATCHED_ATTRIBUTE_WARN, u"%1: atribut „%2“ není pro %3 povolen"},
    {MISSING_ATTR_VALUE, u"%1: atribut „%2“ nemá hodnotu"},
    {MISSING_ATTRIBUTE, u"%1: chybí atribut „%2“"},
    {MISSING_DOCTYPE, u"chybí deklarace <!DOCTYPE>"},
    {MISSING_ENDTAG_BEFORE, u"chybí </%1> před %2"},
    {MISSING_ENDTAG_FOR, u"chybí </%1>"},
    {MISSING_ENDTAG_OPTIONAL, u"chybí nepovinná koncová značka </%1>"},
    {MISSING_IMAGEMAP, u"%1: má použít mapu obrázku na straně klienta"},
    {MISSING_QUOTEMARK, u"%1: hodnotě atributu chybí koncová uvozovka"},
    {MISSING_QUOTEMARK_OPEN, u"hodnota atributu „%1“ není v uvozovkách"},
    {MISSING_SEMICOLON_NCR, u"číselný odkaz na znak „%1“ nekončí středníkem"},
    {MISSING_SEMICOLON, u"entita „%1“ nekončí středníkem"},
    {MISSING_STARTTAG, u"chybí <%1>"},
    {MISSING_TITLE_ELEMENT, u"chybí prvek title"},
    {MOVED_STYLE_TO_HEAD, u"značka <style> patří do <head>"},
    {NESTED_EMPHASIS, u"vnořené zvýraznění %1"},
    {NESTED_QUOTATION, u"vnořené prvky q, možná překlep"},
    {NEWLINE_IN_URI, u"%1: konec řádku v adrese"},
    {NOFRAMES_CONTENT, u"%1 není uvnitř prvku noframes"},
    {NON_MATCHING_ENDTAG, u"koncová značka </%2> nesedí, prvky jsou překříženy"},
    {OBSOLETE_ELEMENT, u"zastaralý prvek %1, náhradou je %2"},
    {PREVIOUS_LOCATION, u"<%1> bylo uvedeno dříve"},
    {PROPRIETARY_ATTR_VALUE, u"%1: nestandardní hodnota atributu „%2“"},
    {PROPRIETARY_ATTRIBUTE, u"%1: neznámý atribut „%2“"},
    {PROPRIETARY_ELEMENT, u"%1 není ve standardu W3C"},
    {REMOVED_HTML5, u"prvek %1 v HTML5 není"},
    {REPEATED_ATTRIBUTE, u"%1: opakovaný atribut „%3“, hodnota „%2“ přebývá"},
    {REPLACING_ELEMENT, u"%1 místo %2"},
    {REPLACING_UNEX_ELEMENT, u"nečekaný %1 místo %2"},
    {SPACE_PRECEDING_XMLDECL, u"mezery před deklarací XML"},
    {SUSPECTED_MISSING_QUOTE, u"hodnotě atributu asi chybí uvozovka"},
    {TAG_NOT_ALLOWED_IN, u"%1 nesmí být v prvcích <%2>"},
    {TOO_MANY_ELEMENTS_IN, u"příliš mnoho prvků %1 v <%2>"},
    {TOO_MANY_ELEMENTS, u"příliš mnoho prvků %1"},
    {TRIM_EMPTY_ELEMENT, u"prázdný prvek %1"},
    {UNESCAPED_AMPERSAND, u"znak & má být zapsán jako &amp;"},
    {UNEXPECTED_END_OF_FILE_ATTR, u"%1: konec stránky uprostřed atributů"},
    {UNEXPECTED_END_OF_FILE, u"nečekaný konec stránky %1"},
    {UNEXPECTED_ENDTAG_ERR, u"nečekaná </%1>"},
    {UNEXPECTED_ENDTAG_IN, u"nečekaná </%1> v <%2>"},
    {UNEXPECTED_ENDTAG, u"nečekaná </%1>"},
    {UNEXPECTED_EQUALSIGN, u"%1: nečekané „=“, má stát název atributu"},
    {UNEXPECTED_GT, u"%1: chybí „>“ na konci značky"},
    {UNEXPECTED_QUOTEMARK, u"%1: nečekaná nebo zdvojená uvozovka"},
    {UNKNOWN_ELEMENT_LOOKS_CUSTOM, u"%1 je neznámý prvek"},
    {UNKNOWN_ELEMENT, u"%1 je neznámý prvek"},
    {UNKNOWN_ENTITY, u"samotný znak & nebo neznámá entita „%1“"},
    {USING_BR_INPLACE_OF, u"%1 zde nemá být (patří sem <br>)"},
    {VENDOR_SPECIFIC_CHARS, u"%1: neplatný kód znaku %2"},
    {WHITE_IN_URI, u"%1: mezera v adrese"},
    {XML_DECLARATION_DETECTED, u"stránka začíná deklarací XML"},
    {XML_ID_SYNTAX, u"%1: ID „%2“ má tvar XML ID"},
};

} // namespace

QString czechMarkupText(unsigned code)
{
    for (const CzechText& t : Texts) {
        if (t.code == code)
            return QString::fromUtf16(t.text);
    }
    return {};
}

QString markupMessageText(unsigned code, const QStringList& args, const QString& english,
                          bool* czech)
{
    QString text = czechMarkupText(code);
    if (czech != nullptr)
        *czech = !text.isNull();
    if (text.isNull())
        return english;
    // In one pass, so an argument that holds "%2" stays as written.
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'9') {
            const qsizetype n = text[i + 1].unicode() - u'1';
            if (n < args.size())
                out += args.at(n);
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

} // namespace qw
